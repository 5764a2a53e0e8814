#include "messages.h"

#include <algorithm>
#include <cstdio>

namespace {

const char kRecorderProperty[] = "QuillTestRecorder";

std::string Line(const RecordedMessage &m) {
    char text[96];
    std::snprintf(text, sizeof text, "msg 0x%04X wParam 0x%llX lParam 0x%llX\n", m.message,
                  static_cast<unsigned long long>(m.wParam),
                  static_cast<unsigned long long>(m.lParam));
    return text;
}

bool Matches(const RecordedMessage &expected, const RecordedMessage &got) {
    return expected.message == got.message &&
           (expected.wParam == kAnyWParam || expected.wParam == got.wParam) &&
           (expected.lParam == kAnyLParam || expected.lParam == got.lParam);
}

}  // namespace

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

MessageRecorder::MessageRecorder(HWND window, std::vector<UINT> filter)
    : window_(window), previous_(nullptr), filter_(std::move(filter)) {
    SetPropA(window_, kRecorderProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
}

MessageRecorder::~MessageRecorder() {
    if (IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropA(window_, kRecorderProperty);
    }
}

LRESULT CALLBACK MessageRecorder::Procedure(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    auto *self = static_cast<MessageRecorder *>(GetPropA(w, kRecorderProperty));
    if (!self) return DefWindowProcA(w, msg, wp, lp);
    const std::vector<UINT> &f = self->filter_;
    if (f.empty() || std::find(f.begin(), f.end(), msg) != f.end())
        self->messages_.push_back(RecordedMessage{msg, wp, lp});
    WNDPROC previous = self->previous_;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(w, kRecorderProperty);
    }
    return CallWindowProcA(previous, w, msg, wp, lp);
}

std::string MessageRecorder::Compare(const std::vector<RecordedMessage> &expected) const {
    bool same = expected.size() == messages_.size();
    for (std::size_t i = 0; same && i < expected.size(); ++i)
        same = Matches(expected[i], messages_[i]);
    if (same) return "";
    std::string text = "expected:\n";
    for (const RecordedMessage &m : expected) text += "  " + Line(m);
    text += "received:\n";
    for (const RecordedMessage &m : messages_) text += "  " + Line(m);
    return text;
}
