#ifndef DRAVIK_BENCH_BENCHWINDOW_H
#define DRAVIK_BENCH_BENCHWINDOW_H

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <malloc.h>

// The window of an OpenGL benchmark: width x height pixels, with a projection in pixels (y
// up), current until closeBenchWindow.
namespace dravik::bench {

inline int openBenchWindow(const char* title, int width, int height) {
    // llvmpipe allocates and frees large buffers every frame. glibc first serves them with
    // fresh mappings (and trims its heap after them), so that every frame pays for page
    // faults, until its thresholds have adapted to a long-running program; they are fixed
    // at that steady state here, so that no figure depends on what ran before it.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    int argc = 1;
    char name[] = "dravik-bench";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(0, 0);
    const int window = glutCreateWindow(title);
    glutDisplayFunc([] {});
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, width, 0, height, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    return window;
}

// freeglut must be shut down explicitly before the program ends (llvmpipe crashes otherwise).
inline void closeBenchWindow(int window) {
    glutDestroyWindow(window);
    glutExit();
}

}  // namespace dravik::bench

#endif
