// A test fixture that starts the library as LibraryRoot does and shows one dialog modeless.
#ifndef TESTS_SUPPORT_DIALOG_ROOT_H
#define TESTS_SUPPORT_DIALOG_ROOT_H

#include "library_root.h"
#include "messages.h"
#include "quillamorph.h"

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
