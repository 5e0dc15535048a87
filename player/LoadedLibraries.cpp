#include "player/LoadedLibraries.h"

#include <dlfcn.h>
#include <link.h>

#include <cstddef>

void keepLoadedLibrariesMapped() {
    dl_iterate_phdr(
        [](dl_phdr_info* library, std::size_t, void*) -> int {
            if (library->dlpi_name != nullptr && library->dlpi_name[0] != '\0')
                dlopen(library->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}
