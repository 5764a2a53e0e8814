// Copying a dialog into another instance of the same template: what a user can see of every
// control and its field record. A modal dialog runs on such a copy of the loaded dialog and
// is copied back when a push button closes it.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/strings.h"
#include "core/dialogs.h"
#include "core/layers.h"
#include "core/numeric_edit.h"
#include "core/numeric_values.h"
#include "core/treeview.h"

namespace {

std::vector<char> TextOf(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text;
}

// Field record words the copy carries (the format text and the tab stops get their own
// allocation, so each dialog frees only what it owns).
void CopyRecord(FieldRecord *to, const FieldRecord *from) {
    to->value = from->value;
    to->minimum = from->minimum;
    to->maximum = from->maximum;
    to->step = from->step;
    to->page = from->page;
    to->hasText = from->hasText;
    to->foreground = from->foreground;
    to->background = from->background;
    to->tabLeft = from->tabLeft;
    to->maxLength = from->maxLength;
    if (to->format != from->format) {
        std::free(to->format);
        to->format = quill::DuplicateText(from->format);
    }
}

void CopyItems(HWND to, HWND from, UINT reset, UINT count, UINT textLength, UINT getText,
               UINT add) {
    SendMessageA(to, reset, 0, 0);
    int n = static_cast<int>(SendMessageA(from, count, 0, 0));
    for (int i = 0; i < n; ++i) {
        int length = static_cast<int>(SendMessageA(from, textLength, static_cast<WPARAM>(i), 0));
        std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
        SendMessageA(from, getText, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        SendMessageA(to, add, 0, reinterpret_cast<LPARAM>(text.data()));
    }
}

void CopyList(HWND to, HWND from) {
    CopyItems(to, from, LB_RESETCONTENT, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_ADDSTRING);
    FieldRecord *record = quill::FieldRecordOf(from);
    if (record && record->nTabStops > 0)
        SendMessageA(to, LB_SETTABSTOPS, static_cast<WPARAM>(record->nTabStops),
                     reinterpret_cast<LPARAM>(record->tabStops));
    LONG style = GetWindowLongA(from, GWL_STYLE);
    if (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
        int n = static_cast<int>(SendMessageA(from, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i)
            SendMessageA(to, LB_SETSEL,
                         SendMessageA(from, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0, i);
    } else {
        SendMessageA(to, LB_SETCURSEL, SendMessageA(from, LB_GETCURSEL, 0, 0), 0);
    }
}

void CopyCombo(HWND to, HWND from) {
    CopyItems(to, from, CB_RESETCONTENT, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_ADDSTRING);
    SendMessageA(to, CB_SETCURSEL, SendMessageA(from, CB_GETCURSEL, 0, 0), 0);
    FieldRecord *record = quill::FieldRecordOf(from);
    if (record && record->maxLength)
        SendMessageA(to, CB_LIMITTEXT, static_cast<WPARAM>(record->maxLength), 0);
}

void CopyTabs(HWND to, HWND from) {
    SendMessageA(to, TCM_DELETEALLITEMS, 0, 0);
    int n = static_cast<int>(SendMessageA(from, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[1026] = {0};
        TabItemData item = {};
        item.header.mask = TCIF_TEXT | TCIF_PARAM;
        item.header.pszText = text;
        item.header.cchTextMax = 1025;
        SendMessageA(from, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        item.header.pszText = text;
        SendMessageA(to, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(to, TCM_SETCURSEL, SendMessageA(from, TCM_GETCURSEL, 0, 0), 0);
}

void CopyTrack(HWND to, HWND from) {
    int minimum = static_cast<int>(SendMessageA(from, TBM_GETRANGEMIN, 0, 0));
    int maximum = static_cast<int>(SendMessageA(from, TBM_GETRANGEMAX, 0, 0));
    SendMessageA(to, TBM_SETRANGEMIN, FALSE, minimum);
    SendMessageA(to, TBM_SETRANGEMAX, FALSE, maximum);
    if (GetWindowLongA(from, GWL_STYLE) & TBS_ENABLESELRANGE) {
        SendMessageA(to, TBM_SETSELSTART, FALSE, SendMessageA(from, TBM_GETSELSTART, 0, 0));
        SendMessageA(to, TBM_SETSELEND, FALSE, SendMessageA(from, TBM_GETSELEND, 0, 0));
    }
    SendMessageA(to, TBM_SETPAGESIZE, 0, SendMessageA(from, TBM_GETPAGESIZE, 0, 0));
    SendMessageA(to, TBM_SETLINESIZE, 0, SendMessageA(from, TBM_GETLINESIZE, 0, 0));
    int ticks = static_cast<int>(SendMessageA(from, TBM_GETNUMTICS, 0, 0));
    SendMessageA(to, TBM_SETTICFREQ,
                 static_cast<WPARAM>(quill::TrackBarTickFrequency(minimum, maximum, ticks)), 0);
    SendMessageA(to, TBM_SETPOS, TRUE, SendMessageA(from, TBM_GETPOS, 0, 0));
}

void CopyEdit(HWND to, HWND from) {
    FieldRecord *record = quill::FieldRecordOf(from);
    if (record) {
        SendMessageA(to, EM_LIMITTEXT, static_cast<WPARAM>(record->maxLength), 0);
        if (record->nTabStops > 0)
            SendMessageA(to, EM_SETTABSTOPS, static_cast<WPARAM>(record->nTabStops),
                         reinterpret_cast<LPARAM>(record->tabStops));
    }
    SendMessageA(to, EM_SETREADONLY, (GetWindowLongA(from, GWL_STYLE) & ES_READONLY) != 0, 0);
}

void CopyByClass(HWND to, HWND from) {
    ATOM atom = quill::WindowClassAtom(from);
    if (atom == atomButton) {
        SendMessageA(to, BM_SETCHECK, SendMessageA(from, BM_GETCHECK, 0, 0), 0);
        for (UINT type : {IMAGE_BITMAP, IMAGE_ICON})
            if (HANDLE image = reinterpret_cast<HANDLE>(SendMessageA(from, BM_GETIMAGE, type, 0)))
                SendMessageA(to, BM_SETIMAGE, type, reinterpret_cast<LPARAM>(image));
    } else if (atom == atomStatic) {
        for (UINT type : {IMAGE_BITMAP, IMAGE_ICON, IMAGE_ENHMETAFILE})
            if (HANDLE image = reinterpret_cast<HANDLE>(SendMessageA(from, STM_GETIMAGE, type, 0)))
                SendMessageA(to, STM_SETIMAGE, type, reinterpret_cast<LPARAM>(image));
    } else if (atom == atomCombo) {
        CopyCombo(to, from);
    } else if (atom == atomList) {
        CopyList(to, from);
    } else if (atom == atomTab) {
        CopyTabs(to, from);
    } else if (atom == atomProgress) {
        PBRANGE range;
        SendMessageA(from, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        SendMessageA(to, PBM_SETRANGE32, static_cast<WPARAM>(range.iLow), range.iHigh);
        SendMessageA(to, PBM_SETPOS, SendMessageA(from, PBM_GETPOS, 0, 0), 0);
    } else if (atom == atomTrack) {
        CopyTrack(to, from);
    } else if (atom == atomTree) {
        SendMessageA(to, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        yyTreeViewCopy(
            to, TVI_ROOT, from,
            reinterpret_cast<HTREEITEM>(SendMessageA(from, TVM_GETNEXTITEM, TVGN_ROOT, 0)));
    } else if (quill::IsEditField(from)) {
        CopyEdit(to, from);
    }
}

void CopyCommon(HWND to, HWND from) {
    std::vector<char> text = TextOf(from);
    SetWindowTextA(to, text.data());
    if (quill::IsEditField(from))
        SendMessageA(to, EM_SETMODIFY, SendMessageA(from, EM_GETMODIFY, 0, 0), 0);
    EnableWindow(to, IsWindowEnabled(from));
    SendMessageA(to, WM_SETFONT, SendMessageA(from, WM_GETFONT, 0, 0), FALSE);
    FieldRecord *source = quill::FieldRecordOf(from);
    FieldRecord *target = quill::FieldRecordOf(to);
    if (source && target && source->upDown && target->upDown) {
        int low = 0, high = 0;
        SendMessageA(source->upDown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                     reinterpret_cast<LPARAM>(&high));
        SendMessageA(target->upDown, UDM_SETRANGE32, static_cast<WPARAM>(low), high);
        UDACCEL accel[2] = {};
        int n = static_cast<int>(
            SendMessageA(source->upDown, UDM_GETACCEL, 2, reinterpret_cast<LPARAM>(accel)));
        if (n > 2) n = 2;
        if (n > 0)
            SendMessageA(target->upDown, UDM_SETACCEL, static_cast<WPARAM>(n),
                         reinterpret_cast<LPARAM>(accel));
    }
}

// The next control of a dialog, passing over nested page dialogs.
HWND NextControl(HWND control, bool first) {
    HWND c = first ? GetWindow(control, GW_CHILD) : GetWindow(control, GW_HWNDNEXT);
    for (; c; c = GetWindow(c, GW_HWNDNEXT)) {
        char name[8] = {0};
        GetClassNameA(c, name, sizeof name);
        if (lstrcmpA(name, "#32770") != 0) break;
    }
    return c;
}

}  // namespace

void yydialogcopy(HWND destination, HWND source) {
    if (!destination || !source) return;
    std::vector<char> title = TextOf(source);
    if (title.size() > 65536) title.resize(65536), title.back() = '\0';
    SetWindowTextA(destination, title.data());
    if (HICON icon = reinterpret_cast<HICON>(SendMessageA(source, WM_GETICON, ICON_BIG, 0)))
        SendMessageA(destination, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    RECT r;
    GetWindowRect(source, &r);
    SetWindowPos(destination, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    // Controls pair up by their order in the two instances of the template.
    const quill::GridField &grid = quill::InstalledGridField();
    HWND to = NextControl(destination, true);
    HWND from = NextControl(source, true);
    for (; to && from; to = NextControl(to, false), from = NextControl(from, false)) {
        SetWindowLongA(to, GWL_STYLE, GetWindowLongA(from, GWL_STYLE));
        FieldRecord *target = quill::FieldRecordOf(to);
        const FieldRecord *record = quill::FieldRecordOf(from);
        if (target && record) CopyRecord(target, record);
        // A modal copy shares its grids' buffers with the loaded dialog.
        if (grid.isGrid(from))
            grid.copy(to, from, 1);
        else
            CopyByClass(to, from);
    }
    to = NextControl(destination, true);
    from = NextControl(source, true);
    for (; to && from; to = NextControl(to, false), from = NextControl(from, false))
        CopyCommon(to, from);
}
