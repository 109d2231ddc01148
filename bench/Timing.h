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

// Runs ours and direct by turns, a slice of k = 0..line.calls-1 each, so that a
// burst of load elsewhere on the machine falls on both sides; each side's time
// is its median slice's, scaled to all calls. Each side sees every k once, in
// order. Without `direct` only ours is timed.
void timeInTurns(Line& line, const std::function<qint64(int)>& ours, const std::function<qint64(int)>& direct);

void printHeader(bool direct);
void printLine(const Line& line);

// The highest ratio of ours to direct among one kind of member.
struct Worst {
    explicit Worst(const char* what) : kind(what) {}

    const char* kind;
    double ratio = 0;
    QString member;

    void note(const Line& line);
    void print() const;
};

// Peak resident memory of this process so far, in MiB.
double peakMemoryMiB();

} // namespace zorbel::bench
