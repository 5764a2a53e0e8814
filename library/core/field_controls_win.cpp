// Track bars, progress bars, tabs, tree selections, spin steps and images of dialog fields:
// internal routines addressed by control id in the current dialog.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "core/dialogs.h"
#include "core/fields.h"
#include "core/layers.h"
#include "core/numeric_edit.h"
#include "core/treeview.h"

namespace {

// The control with this id when it is of TYPE, else null.
HWND typed_field(int id, int type) {
    HWND control = quill::FieldControl(id);
    return quill::FieldTypeOf(control) == type ? control : nullptr;
}

bool has_selection_range(HWND track) {
    return (GetWindowLongA(track, GWL_STYLE) & TBS_ENABLESELRANGE) != 0;
}

}  // namespace

void yyfieldgettrack_(int *id, int *position, int *selStart, int *selEnd) {
    HWND track = typed_field(*id, kFieldTrackBar);
    if (!track) {
        *id = -1;
        return;
    }
    *position = static_cast<int>(SendMessageA(track, TBM_GETPOS, 0, 0));
    *selStart = *selEnd = kUndefinedValue;
    if (has_selection_range(track)) {
        int start = static_cast<int>(SendMessageA(track, TBM_GETSELSTART, 0, 0));
        int end = static_cast<int>(SendMessageA(track, TBM_GETSELEND, 0, 0));
        if (start < end) {
            *selStart = start;
            *selEnd = end;
        }
    }
}

void yyfieldputtrack_(int *id, int position, int selStart, int selEnd, int selMode) {
    HWND track = typed_field(*id, kFieldTrackBar);
    if (!track) {
        *id = -1;
        return;
    }
    SendMessageA(track, TBM_SETPOS, TRUE, position);
    if (!has_selection_range(track)) return;
    if (selMode == 0) {
        SendMessageA(track, TBM_SETSELSTART, FALSE, selStart);
        SendMessageA(track, TBM_SETSELEND, TRUE, selEnd);
    } else if (selMode == 2) {
        SendMessageA(track, TBM_CLEARSEL, TRUE, 0);
    }
}

void yyrangetrack_(int *id, int minimum, int maximum, int tickFrequency) {
    HWND track = typed_field(*id, kFieldTrackBar);
    if (!track) {
        *id = -1;
        return;
    }
    SendMessageA(track, TBM_SETRANGEMIN, FALSE, minimum);
    SendMessageA(track, TBM_SETRANGEMAX, TRUE, maximum);
    if (tickFrequency > 0)
        SendMessageA(track, TBM_SETTICFREQ, static_cast<WPARAM>(tickFrequency), 0);
}

void yyfieldtrackstep_(int *id, int lineSize, int pageSize) {
    HWND track = typed_field(*id, kFieldTrackBar);
    if (!track) {
        *id = -1;
        return;
    }
    SendMessageA(track, TBM_SETLINESIZE, 0, lineSize);
    SendMessageA(track, TBM_SETPAGESIZE, 0, pageSize > 0 ? pageSize : lineSize);
}

void yygettrackrange_(int *id, int *minimum, int *maximum) {
    HWND track = typed_field(*id, kFieldTrackBar);
    if (!track) {
        *id = -1;
        return;
    }
    *minimum = static_cast<int>(SendMessageA(track, TBM_GETRANGEMIN, 0, 0));
    *maximum = static_cast<int>(SendMessageA(track, TBM_GETRANGEMAX, 0, 0));
}

void yyfieldputprogress_(int *id, int value, int mode) {
    HWND bar = typed_field(*id, kFieldProgress);
    if (!bar) {
        *id = -1;
        return;
    }
    SendMessageA(bar, mode == 0 ? PBM_SETPOS : PBM_DELTAPOS, static_cast<WPARAM>(value), 0);
}

void yyrangeprogress_(int *id, int minimum, int maximum) {
    HWND bar = typed_field(*id, kFieldProgress);
    if (!bar) {
        *id = -1;
        return;
    }
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(minimum, maximum));
}

void yyfieldgettab_(int *id, int *page) {
    HWND tab = typed_field(*id, kFieldTab);
    if (!tab) {
        *id = -1;
        return;
    }
    TabItemData item{};
    item.header.mask = TCIF_PARAM;
    int selected = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
    if (selected < 0 || !SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(selected),
                                      reinterpret_cast<LPARAM>(&item))) {
        *page = kUndefinedValue;
        return;
    }
    *page = item.page;
}

void yyfieldgettree_(int *id, int *item, char *text, int size) {
    HWND tree = typed_field(*id, kFieldTree);
    if (!tree) {
        *id = -1;
        return;
    }
    if (text && size > 0) text[0] = '\0';
    HTREEITEM selected =
        reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!selected) {
        *item = kUndefinedValue;
        return;
    }
    TVITEMA tv{};
    tv.mask = TVIF_PARAM | (text && size > 0 ? TVIF_TEXT : 0);
    tv.hItem = selected;
    tv.pszText = text;
    tv.cchTextMax = size;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    *item = static_cast<int>(tv.lParam);
}

void yyfieldputtree_(int *id, int item) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    HTREEITEM found =
        quill::FieldTypeOf(control) == kFieldTree ? yyTreeViewFind(control, item) : nullptr;
    if (!found) {
        *id = -2;
        return;
    }
    SendMessageA(control, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(found));
}

void yyfieldoption_(int *id, int option, int on) {
    // Only grid fields carry these options: 1 Enter moves down, 2 Tab moves between cells.
    HWND control = quill::FieldControl(*id);
    if (quill::FieldTypeOf(control) != kFieldGrid) {
        *id = -1;
        return;
    }
    LONG bit = option == 1   ? static_cast<LONG>(kGridEnterDown)
               : option == 2 ? static_cast<LONG>(kGridTabCells)
                             : 0;
    if (!bit) return;
    LONG style = GetWindowLongA(control, GWL_STYLE);
    SetWindowLongA(control, GWL_STYLE, on ? (style | bit) : (style & ~bit));
}

namespace {

// Stores the spin steps of a spin field of numeric KIND.
void put_spin_steps(int *id, int kind, double step, double pageStep) {
    HWND control = quill::FieldControl(*id);
    FieldRecord *record = quill::FieldRecordOf(control);
    if (!record || !quill::IsSpinField(control) || quill::NumericClassKind(control) != kind) {
        *id = -1;
        return;
    }
    record->step = step;
    record->page = pageStep;
}

}  // namespace

void yyfieldspinstepi_(int *id, int step, int pageStep) {
    put_spin_steps(id, kFieldInteger, step, pageStep == 0 ? step : pageStep);
}

void yyfieldspinstepr_(int *id, float step, float pageStep) {
    put_spin_steps(id, kFieldReal, step, pageStep);
}

void yyfieldspinstepd_(int *id, double step, double pageStep) {
    put_spin_steps(id, kFieldDouble, step, pageStep);
}

namespace {

quill::FieldImageCopier gImageCopier = nullptr;

// Frees an image a control held or was to get, by what it is: a bitmap, an enhanced metafile
// or an icon.
void DestroyImage(HANDLE image) {
    ICONINFO info;
    const DWORD type = GetObjectType(image);
    if (type == OBJ_BITMAP)
        DeleteObject(image);
    else if (type == OBJ_ENHMETAFILE)
        DeleteEnhMetaFile(static_cast<HENHMETAFILE>(image));
    else if (GetIconInfo(static_cast<HICON>(image), &info)) {
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        DestroyIcon(static_cast<HICON>(image));
    }
}

}  // namespace

void quill::SetFieldImageCopier(FieldImageCopier copier) { gImageCopier = copier; }

void yyfieldimage_(int *id, int source, int kind) {
    HWND control = quill::FieldControl(*id);
    if (!control) {
        *id = -1;
        return;
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HANDLE image = nullptr;
    UINT imageType = IMAGE_BITMAP;
    if (kind == 1) {
        image = LoadImageA(instance, MAKEINTRESOURCEA(source), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
    } else if (kind == 2) {
        imageType = IMAGE_ICON;
        image = LoadImageA(instance, MAKEINTRESOURCEA(source), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
    } else if ((kind == 3 || kind == 4) && gImageCopier != nullptr) {
        if (kind == 4) imageType = IMAGE_ENHMETAFILE;
        image = gImageCopier(kind, source);
    }
    if (!image) {
        *id = -2;
        return;
    }
    // Only a button or a static field shows an image, a button only bitmaps and icons.
    ATOM atom = quill::WindowClassAtom(control);
    bool button = atom == atomButton;
    if ((!button && atom != atomStatic) || (button && kind == 4)) {
        DestroyImage(image);
        *id = -1;
        return;
    }

    HANDLE old = nullptr;
    LONG style = GetWindowLongA(control, GWL_STYLE);
    if (button) {
        if (imageType == IMAGE_BITMAP) yymakebitmaptransparent(static_cast<HBITMAP>(image));
        style &= ~(BS_BITMAP | BS_ICON);
        style |= imageType == IMAGE_BITMAP ? BS_BITMAP : BS_ICON;
        SetWindowLongA(control, GWL_STYLE, style);
        old = reinterpret_cast<HANDLE>(
            SendMessageA(control, BM_SETIMAGE, imageType, reinterpret_cast<LPARAM>(image)));
    } else {
        const LONG kinds = imageType == IMAGE_BITMAP ? SS_BITMAP
                           : imageType == IMAGE_ICON ? SS_ICON
                                                     : SS_ENHMETAFILE;
        style = (style & ~SS_TYPEMASK) | kinds;
        SetWindowLongA(control, GWL_STYLE, style);
        old = reinterpret_cast<HANDLE>(
            SendMessageA(control, STM_SETIMAGE, imageType, reinterpret_cast<LPARAM>(image)));
    }
    // The previous image may have been of another kind.
    if (old && old != image) DestroyImage(old);
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
}
