// Dialogs in tests: loading one as the current dialog and unloading it again, and a test
// fixture that starts the library as LibraryRoot does and shows one dialog modeless.
#ifndef TESTS_SUPPORT_DIALOG_ROOT_H
#define TESTS_SUPPORT_DIALOG_ROOT_H

#include "core/dialogs.h"
#include "core/startup.h"
#include "error_status.h"
#include "library_root.h"
#include "messages.h"
#include "quillamorph.h"

// Loads dialog ID, hidden, as the current dialog, and clears the error status.
inline void LoadCurrentDialog(int id) {
    wdialogload_(&id);
    ASSERT_NE(quill::CurrentDialogWindow(), nullptr) << "dialog " << id;
    LastError();
}

// Unloads the current dialog, if there is one, with the pages of its tab controls.
inline void UnloadCurrentDialog() {
    if (!iCurDialog) return;
    int option = 0;
    wdialogunload_(&option);
}

// Loads dialog DIALOG and shows it modeless, with the messages its showing queued dispatched.
class ModelessDialogRoot : public LibraryRoot {
protected:
    explicit ModelessDialogRoot(int dialog) : dialog_(dialog) {}
    void SetUp() override {
        LibraryRoot::SetUp();
        int type = 2;
        wdialogload_(&dialog_);
        wdialogshow_(nullptr, nullptr, nullptr, &type);
        Pump();
    }

private:
    int dialog_;
};

#endif
