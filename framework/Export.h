#ifndef DRAVIK_FRAMEWORK_EXPORT_H
#define DRAVIK_FRAMEWORK_EXPORT_H

// Marks what the libraries export: the public classes and functions. The libraries are built
// with hidden visibility, so whatever is not marked stays inside its library.
#if defined(__GNUC__)
#define DRAVIK_API __attribute__((visibility("default")))
#else
#define DRAVIK_API
#endif

#endif
