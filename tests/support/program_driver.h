// Drives a program of the build from a test: the program runs as a process of its own in a
// chosen working directory, and the test finds its windows by caption and works its dialog
// with window messages, as a user's clicks and typing arrive.
#ifndef TESTS_SUPPORT_PROGRAM_DRIVER_H
#define TESTS_SUPPORT_PROGRAM_DRIVER_H

#include <windows.h>

#include <functional>
#include <string>

// How long a test waits for a program to answer before it counts as failed.
constexpr DWORD kProgramWaitMs = 60000;

// Asks done() every 20 ms until it is true; false when ms pass first.
bool WaitUntil(const std::function<bool()> &done, DWORD ms = kProgramWaitMs);

class ProgramDriver {
public:
    ProgramDriver() = default;
    ProgramDriver(const ProgramDriver &) = delete;
    ProgramDriver &operator=(const ProgramDriver &) = delete;
    ~ProgramDriver() { End(); }

    // Starts exe_name, which stands beside the test executable, in directory dir and waits for
    // its visible window captioned caption, which becomes the dialog; false when either fails.
    bool Launch(const char *exe_name, const std::string &dir, const char *caption);

    // Ends the program if it still runs and lets go of the process.
    void End();

    // The program's visible top-level window captioned caption; null when none appears.
    HWND WaitForWindow(const char *caption) const;

    HWND Field(int id, HWND owner = nullptr) const {
        return GetDlgItem(owner ? owner : dialog, id);
    }

    // The text of a field of the dialog (or of owner).
    std::string Text(int id, HWND owner = nullptr) const;

    // Types into a field as a user would: the new text, marked as changed, since the numeric
    // fields take a text as their value only then.
    void Type(int id, const std::string &text) const;

    // A click on a push button of the dialog (or of owner), as a user makes it: the button
    // takes the focus before it reports the press, so a field typed into gives up its text as
    // its value first. Other programs on the same display may take the activation away and
    // give it back at any time, and a field that gets the focus back forgets that its text
    // was changed.
    void Press(int id, HWND owner = nullptr) const;

    // Waits until the field shows text; false on timeout.
    bool WaitForText(int id, const std::string &text) const;

    PROCESS_INFORMATION process{};
    HWND dialog = nullptr;
};

#endif
