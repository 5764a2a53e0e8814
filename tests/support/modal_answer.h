// Answers the modal boxes and common dialogs a test opens: a thread timer, which runs inside
// any modal loop, finds each new visible dialog box of the thread and hands it to the next
// step of a script, which reads it and presses one of its buttons.
#ifndef QUILL_TESTS_MODAL_ANSWER_H
#define QUILL_TESTS_MODAL_ANSWER_H

#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace modal {

using Step = std::function<void(HWND)>;

struct Script {
    std::deque<Step> steps;
    std::set<HWND> handled;
    std::vector<std::string> captions;  // caption of every box answered, in order
};
inline Script &script() {
    static Script s;
    return s;
}

inline std::string Text(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

inline BOOL CALLBACK FindBox(HWND box, LPARAM found) {
    char name[64] = "";
    GetClassNameA(box, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(box) || script().handled.count(box))
        return TRUE;
    *reinterpret_cast<HWND *>(found) = box;
    return FALSE;
}

inline void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    Script &s = script();
    if (s.steps.empty()) return;
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    s.handled.insert(box);
    s.captions.push_back(Text(box));
    Step step = s.steps.front();
    s.steps.pop_front();
    step(box);
}

// Presses button ID of the box.
inline Step Press(int id) {
    return [id](HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
}

// Runs BODY with the steps answering the boxes it opens, one step a box. Returns the number
// of steps that were not used.
inline int Run(std::deque<Step> steps, const std::function<void()> &body) {
    Script &s = script();
    s = Script();
    s.steps = std::move(steps);
    UINT_PTR timer = SetTimer(nullptr, 0, 40, Tick);
    body();
    KillTimer(nullptr, timer);
    int left = static_cast<int>(s.steps.size());
    s.steps.clear();
    return left;
}

}  // namespace modal

#endif
