// The event loop: the current event and its globals, the translation of one window message
// into one event, the waiting and polling dispatchers and the library's own wait.
#include "core/events.h"

#include <cstring>
#include <utility>

#include "core/childwindows.h"
#include "core/dialogs.h"
#include "core/layers.h"
#include "core/window_units.h"
#include "quillamorph/events.h"

int wMessageType, wMessageWin, wMessageValue1, wMessageValue2, wMessageValue3, wMessageValue4,
    wMessageX, wMessageY, wMessageTime;
int wValidMessage;
int wQuitCode = -1;
int bInWMessage;
int bSetFromCell;
int bExpectPaintResize;
int block118 = 1;
int TimerEnabled;

const int wMessageDefault[kEventTypes] = {1, 1, 1, 1, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0};
int wMessageEnabled[kEventTypes] = {1, 1, 1, 1, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0};

PendingTable ORNMessages;

namespace {

// One event as the dispatchers hand it back.
struct Event {
    int type, win, value1, value2, value3, value4, x, y, time;
};

bool ValidSlot(int slot) { return slot >= 0 && slot < kWindowSlots; }

// Mouse and key events of a window that the bitmap viewer fills are bitmap-view events.
bool InBitmapView(int slot) {
    return ValidSlot(slot) && quill::WindowTypeWord(wWindow[slot]) == kViewerWindow;
}

// Mouse coordinates of lParam; positions beyond the screen are negative ones of a capture.
void MousePosition(LPARAM lParam, int *x, int *y) {
    *x = LOWORD(lParam);
    *y = HIWORD(lParam);
    if (*x > GetSystemMetrics(SM_CXSCREEN)) *x -= 65536;
    if (*y > GetSystemMetrics(SM_CYSCREEN)) *y -= 65536;
}

void Commit(const Event &e) {
    wMessageType = e.type;
    wMessageWin = e.win;
    wMessageValue1 = e.value1;
    wMessageValue2 = e.value2;
    wMessageValue3 = e.value3;
    wMessageValue4 = e.value4;
    wMessageX = e.x;
    wMessageY = e.y;
    wMessageTime = e.time;
    wValidMessage = 0;
}

Event Current() {
    return {wMessageType,   wMessageWin, wMessageValue1, wMessageValue2, wMessageValue3,
            wMessageValue4, wMessageX,   wMessageY,      wMessageTime};
}

Event Nothing() { return {-1, -1, -1, -1, -1, -1, -1, -1, -1}; }

// A field change: it completes the wait of a dispatcher (or stands alone when none runs);
// when another event is already complete inside a running dispatcher, it waits in the
// deferred slot for the next dispatch instead of overwriting that event.
bool FieldChanged(const DialogRecord &record, LPARAM lParam) {
    const int cell = static_cast<int>(record.lastCell);
    const int newCell = static_cast<int>(lParam);
    if (wValidMessage == 1 || bInWMessage == 0) {
        Event e = {kEventFieldChanged,       record.id, record.previousField,
                   record.currentField,      0,         -1,
                   bSetFromCell ? cell : -1, newCell,   static_cast<int>(GetMessageTime())};
        bSetFromCell = 0;
        Commit(e);
        return true;
    }
    ORNMessages.field = {kEventFieldChanged,
                         record.previousField,
                         record.currentField,
                         0,
                         -1,
                         cell,
                         newCell,
                         record.id,
                         static_cast<int>(GetMessageTime())};
    return false;
}

}  // namespace

bool quill::GridWindowChangeEvent(int slot, int field, LPARAM previousCell, LPARAM newCell) {
    if (!wMessageEnabled[kEventFieldChanged - 1]) return false;
    DialogRecord record = {};
    record.id = slot;
    record.previousField = record.currentField = field;
    record.lastCell = previousCell;
    return FieldChanged(record, newCell);
}

void quill::ClearPendingEvents() { std::memset(&ORNMessages, 0, sizeof ORNMessages); }

bool yyinterpretmessage(int type, int subValue, WPARAM wParam, LPARAM lParam, HWND window) {
    int index = type > 100 ? type - 101 : type - 1;
    if (index < 0 || index >= kEventTypes || !wMessageEnabled[index]) return false;
    if (type == kEventExpose && wMessageType == kEventResize && wValidMessage == 0) return false;
    if (type == kEventResize && wParam == SIZE_MINIMIZED) return false;

    // Dialog events come with the dialog window, which carries the dialog record.
    const bool dialogEvent = type == kEventButton || type == kEventFieldChanged ||
                             type == kEventTabChanged || type > 100;
    DialogRecord *record = dialogEvent ? quill::DialogRecordOf(window) : nullptr;
    if (dialogEvent && record == nullptr) return false;
    if (type == kEventFieldChanged) {
        bool done = FieldChanged(*record, lParam);
        record->lastCell = lParam;
        return done;
    }

    // The event is built apart and committed whole, so that a dropped event leaves the
    // current one as it was.
    Event e = {type, yygetwindowindex(window),          -1, -1, -1, -1, -1,
               -1,   static_cast<int>(GetMessageTime())};
    if (dialogEvent) e.win = record->id;
    switch (type) {
    case kEventButton:
        e.value1 = subValue;
        e.value2 = record->previousField;
        break;
    case kEventTabChanged:
        e.value1 = record->pageLeft;
        e.value2 = record->pageSelected;
        break;
    case kEventFieldMouseDown:
    case kEventFieldMouseUp:
    case kEventFieldMouseMove:
    case kEventFieldDoubleClick:
        e.type = type - 100;
        e.value1 = type == kEventFieldMouseMove ? -1 : record->mouseButton;
        e.value2 = yymousemodifiers(static_cast<unsigned>(wParam));
        e.value3 = 1;
        e.value4 = record->mouseField;
        MousePosition(lParam, &e.x, &e.y);
        break;
    case kEventFieldExpose:
        e.type = kEventExpose;
        e.value3 = 1;
        e.value4 = record->mouseField;
        break;
    case kEventKey: {
        e.value1 = subValue;
        e.value3 = InBitmapView(e.win) ? 2 : 0;
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(window, &p);
        e.x = p.x;
        e.y = p.y;
        break;
    }
    case kEventMenu:
    case kEventFrameClick:
    case kEventTimer: e.value1 = subValue; break;
    case kEventMouseDown:
    case kEventMouseUp:
    case kEventDoubleClick:
    case kEventMouseMove:
        e.value1 = type == kEventMouseMove ? -1 : subValue;
        e.value2 = yymousemodifiers(static_cast<unsigned>(wParam));
        e.value3 = InBitmapView(e.win) ? 2 : 0;
        MousePosition(lParam, &e.x, &e.y);
        break;
    case kEventExpose: {
        // lParam points to the update rectangle; without one the whole client area.
        RECT whole = {0, 0, 0, 0};
        const RECT *r = reinterpret_cast<const RECT *>(lParam);
        if (r == nullptr) {
            GetClientRect(window, &whole);
            r = &whole;
        }
        e.value1 = r->right - r->left;
        e.value2 = r->bottom - r->top;
        e.value3 = 0;
        e.x = r->left;
        e.y = r->top;
        break;
    }
    case kEventResize:
        e.value1 = LOWORD(lParam);
        e.value2 = HIWORD(lParam);
        e.value3 = 0;
        wWinWidth = e.value1;
        wWinHeight = e.value2;
        // A window nobody sees has its size taken in, but reports no resize.
        if (!IsWindowVisible(window)) {
            yyresize_(window, e.value1, e.value2);
            return false;
        }
        break;
    case kEventBitmapView:
        e.value1 = LOWORD(lParam);
        e.value2 = HIWORD(lParam);
        e.value3 = 2;
        e.x = 0;
        e.y = 0;
        break;
    default:  // close request and type 14: no values
        break;
    }
    Commit(e);
    return true;
}

void yyenablemessage_(const int *type, const int *flag) {
    if (type == nullptr || flag == nullptr) return;
    if (*type >= 1 && *type <= kEventTypes) wMessageEnabled[*type - 1] = *flag;
}

void yyinfomessage_(const int *type, int *flag) {
    if (type == nullptr || flag == nullptr) return;
    *flag = (*type >= 1 && *type <= kEventTypes) ? wMessageEnabled[*type - 1] : 0;
}

void yysettimer_(const int *milliseconds, const int *id) {
    if (milliseconds == nullptr || id == nullptr || wWindow[0] == nullptr) return;
    SetTimer(wWindow[0], static_cast<UINT_PTR>(*id), static_cast<UINT>(*milliseconds), nullptr);
}

void yywait_(const int *n) {
    if (n == nullptr || hClient[0] == nullptr) return;
    // Hundredths of a second to milliseconds, within what a timer can count.
    const int most = USER_TIMER_MAXIMUM / 10;
    UINT ms = *n > 0 ? static_cast<UINT>(*n < most ? *n : most) * 10 : 0;
    if (SetTimer(hClient[0], kWaitTimerId, ms, nullptr) == 0) return;
    TimerEnabled = 1;
    MSG msg;
    while (TimerEnabled) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The quit message belongs to whoever runs the outermost loop: put it back.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (TimerEnabled) KillTimer(hClient[0], kWaitTimerId);
    TimerEnabled = 0;
}

namespace {

// Accelerators of plain windows: from the message's window up through its parents to the
// first window slot that has a menu.
bool TranslateWindowAccelerators(MSG *msg) {
    for (HWND w = msg->hwnd; w != nullptr; w = GetParent(w)) {
        int slot = yygetwindowindex(w);
        if (slot >= 0 && hMenuRoot[slot] != nullptr) {
            return hAccel[slot] != nullptr &&
                   TranslateAcceleratorA(wWindow[slot], hAccel[slot], msg);
        }
    }
    return false;
}

// Keys of the current modeless dialog: the accelerators of the frame it fills, or of the
// root window when its attributes ask for them, then the dialog's own keyboard handling.
bool TranslateDialogMessage(MSG *msg) {
    if (hDlgCur == nullptr || !IsWindow(hDlgCur)) return false;
    DialogRecord *record = quill::DialogRecordOf(hDlgCur);
    if (record != nullptr) {
        HWND frame = record->parentFrame;
        int slot = frame != nullptr ? yygetwindowindex(frame) : -1;
        if (slot >= 0 && hAccel[slot] != nullptr) {
            if (TranslateAcceleratorA(frame, hAccel[slot], msg)) return true;
        } else if (frame == nullptr && record->rootAccelerators && hAccel[0] != nullptr) {
            if (TranslateAcceleratorA(wWindow[0], hAccel[0], msg)) return true;
        }
    }
    return IsDialogMessageA(hDlgCur, msg) != 0;
}

// Keys of a child window: from the message's window up through at most three parents to the
// first child frame. A frame combined with a dialog lets that dialog handle its keys first;
// then the accelerator tables the frame's record carries are tried.
bool TranslateChildWindowKeys(MSG *msg) {
    HWND w = msg->hwnd;
    for (int up = 0; w != nullptr && up <= 3; ++up, w = GetParent(w)) {
        if (!quill::IsChildFrame(w)) continue;
        auto *block = reinterpret_cast<FrameBlock *>(GetWindowLongPtrA(w, GWLP_USERDATA));
        if (block == nullptr) return false;
        if (block->tag == kDialogWindow && IsWindow(block->dialog) &&
            IsDialogMessageA(block->dialog, msg))
            return true;
        for (HACCEL table : block->accelerators)
            if (table != nullptr && TranslateAcceleratorA(w, table, msg)) return true;
        return false;
    }
    return false;
}

void HandleMessage(MSG *msg) {
    if (TranslateDialogMessage(msg)) return;
    if (TranslateChildWindowKeys(msg)) return;
    if (TranslateWindowAccelerators(msg)) return;
    if (msg->message == 0x118 && msg->wParam == 0xFFF6 && block118) return;
    TranslateMessage(msg);
    bool paintOrSize = msg->message == WM_PAINT || msg->message == WM_SIZE;
    if (paintOrSize) bExpectPaintResize = 1;
    DispatchMessageA(msg);
    if (paintOrSize) bExpectPaintResize = 0;
}

// A pending expose or resize of a window that still has its client area, else none.
bool TakePending(Event *e) {
    for (int slot = 0; slot < kWindowSlots; ++slot) {
        PendingEvent &p = ORNMessages.window[slot];
        if (p.type <= 0 || hClient[slot] == nullptr) continue;
        *e = {p.type, slot, p.value1, p.value2, p.value3, p.value4, p.x, p.y, p.time};
        if (p.type == kEventExpose) {
            RECT r;
            GetClientRect(hClient[slot], &r);
            e->x = 0;
            e->y = 0;
            e->value1 = r.right;
            e->value2 = r.bottom;
        }
        p.type = 0;
        return true;
    }
    return false;
}

bool TakeDeferred(Event *e) {
    DeferredEvent &d = ORNMessages.field;
    if (d.type <= 0) return false;
    *e = {d.type, d.win, d.value1, d.value2, d.value3, d.value4, d.x, d.y, d.time};
    d.type = 0;
    return true;
}

// The body of the two dispatchers: wait for the next event, or poll for one.
Event Dispatch(bool wait) {
    bInWMessage = 1;
    Event e;
    if (TakePending(&e) || TakeDeferred(&e)) {
        bInWMessage = 0;
        return e;
    }
    bSetFromCell = 1;
    wValidMessage = 1;
    MSG msg;
    if (wait) {
        while (wValidMessage == 1) {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0 || got == -1) {
                if (got == 0) wQuitCode = static_cast<int>(msg.wParam);
                // A quit message or a failing queue: this wait ends with no event rather
                // than spinning; the dispatchers are the program's outermost loop, so the
                // quit message is not put back.
                wMessageType = -1;
                break;
            }
            HandleMessage(&msg);
        }
        e = wValidMessage == 1 ? Nothing() : Current();
    } else {
        wMessageType = 0;
        while (wMessageType == 0) {
            if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                wMessageType = -1;
                break;
            }
            if (msg.message == WM_QUIT) {
                wMessageType = -1;
                break;
            }
            HandleMessage(&msg);
        }
        e = wMessageType == -1 || wValidMessage == 1 ? Nothing() : Current();
    }
    wValidMessage = 0;

    // An expose or resize returned now makes its window's pending event obsolete; an expose
    // that replaces a pending one covers the whole client area.
    if ((e.type == kEventResize || (e.type == kEventExpose && e.value3 == 0)) && ValidSlot(e.win)) {
        PendingEvent &p = ORNMessages.window[e.win];
        if (p.type == kEventExpose && e.type == kEventExpose && hClient[e.win] != nullptr) {
            RECT r;
            GetClientRect(hClient[e.win], &r);
            e.x = 0;
            e.y = 0;
            e.value1 = r.right;
            e.value2 = r.bottom;
        }
        p.type = 0;
    }
    bInWMessage = 0;
    return e;
}

// Hands a dispatched event out through the dispatchers' arguments; absent ones are skipped.
void HandOut(const Event &e, int *itype, int *value1, int *value2, int *value3, int *value4, int *x,
             int *y, int *win, int *time) {
    const std::pair<int *, int> words[] = {
        {itype, e.type},    {value1, e.value1}, {value2, e.value2},
        {value3, e.value3}, {value4, e.value4}, {x, e.x},
        {y, e.y},           {win, e.win},       {time, e.time}};
    for (const auto &word : words)
        if (word.first != nullptr) *word.first = word.second;
}

typedef void DispatcherFn(int *, int *, int *, int *, int *, int *, int *, int *, int *);

// Runs a dispatcher into an event record (or only the type when the record is absent).
void DispatchInto(DispatcherFn *dispatcher, int *itype, QuillEvent *message) {
    QuillEvent ignored;
    QuillEvent *m = message != nullptr ? message : &ignored;
    dispatcher(itype, &m->value1, &m->value2, &m->value3, &m->value4, &m->x, &m->y, &m->win,
               &m->time);
}

}  // namespace

void yydispatchnextmessage_(int *itype, int *value1, int *value2, int *value3, int *value4, int *x,
                            int *y, int *win, int *time) {
    HandOut(Dispatch(true), itype, value1, value2, value3, value4, x, y, win, time);
}

void yydispatchpeekmessage_(int *itype, int *value1, int *value2, int *value3, int *value4, int *x,
                            int *y, int *win, int *time) {
    HandOut(Dispatch(false), itype, value1, value2, value3, value4, x, y, win, time);
}

void yyevent_(int *itype, QuillEvent *message) {
    if (itype == nullptr || message == nullptr) return;
    if (quill::EventMapping mapping = quill::CurrentEventMapping()) mapping(*itype, message);
}

void wmessage_(int *itype, QuillEvent *message) {
    int type;
    DispatchInto(yydispatchnextmessage_, &type, message);
    if (itype != nullptr) *itype = type;
    yyevent_(&type, message);
}

void wmessagepeek_(int *itype, QuillEvent *message) {
    int type;
    DispatchInto(yydispatchpeekmessage_, &type, message);
    if (itype != nullptr) *itype = type;
    if (type != -1) yyevent_(&type, message);
}
