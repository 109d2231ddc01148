#pragma once
// The one way the program ends.
namespace zorbel::ui {

/// Closes every loaded window, then quits the application's event loop (also
/// when it is called before the loop has started). While a ProgramEndRecorder
/// is alive the windows are still closed but the request is only recorded.
void endProgram();

/// Test hook: records end requests instead of quitting.
class ProgramEndRecorder {
public:
    ProgramEndRecorder();
    ~ProgramEndRecorder();
    ProgramEndRecorder(const ProgramEndRecorder &) = delete;
    ProgramEndRecorder &operator=(const ProgramEndRecorder &) = delete;

    bool requested() const { return m_count > 0; }
    int count() const { return m_count; }

    /// Used by endProgram.
    void record() { ++m_count; }

private:
    int m_count = 0;
    ProgramEndRecorder *m_outer = nullptr;
};

} // namespace zorbel::ui
