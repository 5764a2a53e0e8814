// Window messages in tests: pumping what is queued, taking the library's next event, and
// recording what a window receives to compare it with an expected sequence.
#ifndef TESTS_SUPPORT_MESSAGES_H
#define TESTS_SUPPORT_MESSAGES_H

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "quillamorph.h"

// Dispatches every message queued for this thread (translated, as the library's loops do).
void Pump();

// The next event of the library, as wmessage_ waits for it: its type and its record.
inline std::pair<int, QuillEvent> NextEvent() {
    int type = 0;
    QuillEvent event;
    wmessage_(&type, &event);
    return {type, event};
}

// One received message. An expected entry may leave wParam or lParam unchecked.
struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
constexpr WPARAM kAnyWParam = static_cast<WPARAM>(-1);
constexpr LPARAM kAnyLParam = static_cast<LPARAM>(-1);

// Subclasses a window while it lives and records the messages it receives, in order; the
// window's own procedure still handles each one. Messages of the FILTER list only, when given.
class MessageRecorder {
public:
    explicit MessageRecorder(HWND window, std::vector<UINT> filter = {});
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    const std::vector<RecordedMessage> &messages() const { return messages_; }
    void Clear() { messages_.clear(); }

    // Empty when the recorded sequence equals EXPECTED; otherwise both sequences, one message
    // a line, for the failure message.
    std::string Compare(const std::vector<RecordedMessage> &expected) const;

private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    HWND window_;
    WNDPROC previous_;
    std::vector<UINT> filter_;
    std::vector<RecordedMessage> messages_;
};

// Expects that RECORDER holds exactly EXPECTED, printing both sequences when it does not.
#define EXPECT_MESSAGES(recorder, ...) \
    EXPECT_EQ("", (recorder).Compare(std::vector<RecordedMessage>{__VA_ARGS__}))

#endif
