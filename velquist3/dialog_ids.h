// Dialog and control ids of the two programs' resources. Both main dialogs are 101 and give the
// fields they have in common the same ids; each program uses the ids its own dialog has.
#ifndef VELQUIST3_DIALOG_IDS_H
#define VELQUIST3_DIALOG_IDS_H

enum DialogId {
    kDialogCancel = 2,
    kDialogMain = 101,
    kDialogAbout = 102,  // Velquist only
    kFieldOpen = 1001,
    kFieldHelp = 1002,  // Velquist only
    kFieldExit = 1003,
    kFieldAboutText = 1004,  // Velquist only
    kFieldStartNumber = 1005,
    kFieldSaveFile = 1006,
    kFieldStart = 1008,
    kFieldStop = 1009,
    kFieldDigitRate = 1010,  // Velquist3 only
    kFieldSaveInterval = 1011,
    kFieldIterationRate = 1013,  // Velquist3 only
    kFieldDigits = 1015,
    kFieldCpuMinutes = 1016,
    kFieldIterations = 1018,
    kFieldStopIteration = 1026,
    kFieldCpuDays = 1027,
    kFieldCpuHours = 1029,
    kFieldCpuSeconds = 1032,
    kFieldStatus = 1034,
    kFieldClear = 1035,
    kFieldFirstKernel = 1038,  // Velquist3 only: the first of the kernel radio buttons
    kFieldStopDigit = 1039,    // Velquist3 only
};

// Field states as the library's field-state routine takes them.
enum FieldState { kStateDisabled = 0, kStateEnabled = 1, kStateReadOnly = 2 };

#endif
