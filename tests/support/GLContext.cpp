#include "support/GLContext.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <dlfcn.h>
#include <link.h>

namespace {

int window = 0;

// Keeps every shared object loaded so far (the OpenGL driver among them) mapped until the
// process ends. The driver is otherwise unloaded at exit before the leak check runs, and
// its own allocations then show up from an unknown module that no suppression can name.
void pinLoadedLibraries() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, std::size_t, void*) -> int {
            if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0')
                dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

}  // namespace

void GLContextEnvironment::SetUp() {
    int argc = 1;
    char name[] = "dravik-tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(kSize, kSize);
    window = glutCreateWindow(name);
    glutHideWindow();
    glutDisplayFunc([] {});
    pinLoadedLibraries();
}

void GLContextEnvironment::TearDown() {
    if (window != 0) glutDestroyWindow(window);
    window = 0;
    glutExit();
}

void GLContextEnvironment::resetState() {
    glViewport(0, 0, kSize, kSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kSize, 0, kSize, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
