// The calling convention of the library's public routines.
//
// Every public routine has C linkage and a name in lower case with a trailing underscore. Every
// argument is passed by pointer; an optional argument that is absent is a null pointer and
// selects the default. A text argument is a blank-padded (not NUL-terminated) character array
// whose length follows all other arguments as an int, in the order of the text arguments:
//
//     void wdialogputstring_(const int *field, const char *text, int text_len);
#ifndef QUILLAMORPH_CONVENTION_H
#define QUILLAMORPH_CONVENTION_H

#ifdef __cplusplus
#define QUILL_BEGIN_DECLS extern "C" {
#define QUILL_END_DECLS }
#else
#define QUILL_BEGIN_DECLS
#define QUILL_END_DECLS
#endif

#endif
