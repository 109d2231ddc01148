#pragma once
// Times a member against its direct statement and prints one line per member.

#include <QString>
#include <functional>

namespace zorbel::bench {

struct Line {
    QString member;
    int calls = 0;
    qint64 oursRows = 0;
    qint64 directRows = -1; // -1: no direct run
    double oursSeconds = 0;
    double directSeconds = 0;
};

// Runs `call` for k = 0..calls-1 and gives the seconds taken; `call` gives the rows it saw.
double timeCalls(int calls, const std::function<qint64(int)>& call, qint64& rows);

void printHeader(bool direct);
void printLine(const Line& line);

// Peak resident memory of this process so far, in MiB.
double peakMemoryMiB();

} // namespace zorbel::bench
