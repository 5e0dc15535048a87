#include "app/OpenGLExtensions.h"

#include <GL/gl.h>
#include <GL/glx.h>

#include <algorithm>
#include <cstring>

namespace {

std::vector<std::string>& missingNames() {
    static std::vector<std::string> names;
    return names;
}

bool isPretendedMissing(const char* name) {
    const std::vector<std::string>& names = missingNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

bool OpenGLExtensions::isSupported(const char* extension) {
    if (extension == nullptr || isPretendedMissing(extension)) return false;
    const auto* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return all != nullptr && std::strstr(all, extension) != nullptr;
}

OpenGLExtensions::EntryPoint OpenGLExtensions::lookup(const char* name) {
    if (name == nullptr || isPretendedMissing(name)) return nullptr;
    return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
}

void OpenGLExtensions::pretendMissing(std::vector<std::string> names) { missingNames() = std::move(names); }
