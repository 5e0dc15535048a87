// Feeds arbitrary bytes to the scene configuration as a scene file: the XML reader decodes
// and parses them as it reads a file (encodings included), a configuration builds the scene
// with every registered parser and loads its textures, draws it once in colour and once for
// picking, and tears it down.
//
// Runs with an OpenGL context (a hidden freeglut window; under xvfb-run without a display).
// Run it from the repository's root: the seeds name the example textures from there.
#include <GL/freeglut.h>
#include <GL/gl.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "appearance/TextureManager.h"
#include "config/XMLConfigurationManager.h"
#include "config/XMLNode.h"
#include "player/LoadedLibraries.h"

namespace {

constexpr int kWindowSize = 64;
int window = 0;

// The context goes before the process ends: freeglut under llvmpipe crashes at exit
// otherwise, and the leak check would count the driver's context as lost.
void closeWindow() {
    glutDestroyWindow(window);
    glutExit();
}

class FuzzedScene : public XMLConfigurationManager {
public:
    explicit FuzzedScene(const XMLNode& parsed) : XMLConfigurationManager(parsed, nullptr) {
        // A small budget keeps each run quick; the limits themselves are tested elsewhere.
        SceneLimits limits;
        limits.maxComponents = 1000;
        limits.maxScenePixels = std::uint64_t(1) << 20;
        setSceneLimits(limits);
        // Plain uploads: software compression would dominate every run.
        getTextureManager()->setTexCompression(false);
        getTextureManager()->setMipMapping(false);
        initComponents();
    }
    // Textures outlive their manager by design; here they go with the scene.
    ~FuzzedScene() override {
        const std::vector<std::uint32_t> names = getTextureManager()->getTextureNames();
        if (!names.empty()) glDeleteTextures(static_cast<GLsizei>(names.size()), names.data());
    }

protected:
    void initComponents() override {
        registerStrategyParsers();
        parseDocument(rootNode);
    }
};

}  // namespace

// What the system's OpenGL, X11 and GLUT libraries keep until the process ends.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:_dri.so\nleak:libgallium\nleak:libGLX\nleak:libGLdispatch\nleak:libX11\nleak:libxcb\n"
           "leak:libglut\nleak:libLLVM\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    glutInit(argc, *argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
    glutInitWindowSize(kWindowSize, kWindowSize);
    window = glutCreateWindow("SceneConfigFuzz");
    glutHideWindow();
    std::atexit(closeWindow);
    glMatrixMode(GL_PROJECTION);
    glOrtho(0, kWindowSize, 0, kWindowSize, -1000, 1000);
    glMatrixMode(GL_MODELVIEW);
    keepLoadedLibrariesMapped();

    // The configuration reports problems on standard output: thousands of lines per second.
    if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const XMLNode root = XMLNode::parseBuffer(data, size);
    FuzzedScene scene(root);
    scene.resize(kWindowSize, kWindowSize);
    scene.renderAll(false, true, false);
    scene.renderAll(true, true, false);
    return 0;
}
