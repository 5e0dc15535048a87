#include "support/GLContext.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include "player/LoadedLibraries.h"

namespace {

int window = 0;

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
    keepLoadedLibrariesMapped();
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
