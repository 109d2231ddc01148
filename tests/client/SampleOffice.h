#pragma once
// What the tests that go through every window share: a small office's
// database, and every window with the navigation items it is opened from.

#include <vector>

namespace zorbel::test {

// Two contacts, projects in each phase's list with teams, milestones and a
// breakdown down to progress entries, a document, risks, issue groups with
// issues, and an administrator with rights on one project. Alpha's breakdown
// is made current, as the windows below the projects expect.
void populateSampleOffice();

struct WindowOpening {
    const char* window;
    std::vector<int> navTools; // the navigation items it is opened from (-1: right after log-in)
    bool modal;
};

// Every window the program opens once a user has logged in.
const std::vector<WindowOpening>& everyWindowOpening();

} // namespace zorbel::test
