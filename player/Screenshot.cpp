#include "player/Screenshot.h"

#include <GL/gl.h>
#include <IL/il.h>
#include <unistd.h>

#include <filesystem>

#include "player/PlayerError.h"

void Screenshot::checkWritable(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path file(path);
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    if (path.empty() || !file.has_filename() || fs::is_directory(file, error))
        throw PlayerError("screenshot path " + path + " does not name a file");
    if (!fs::is_directory(folder, error))
        throw PlayerError("cannot write screenshot " + path + ": no folder " + folder.string());
    const bool exists = fs::exists(file, error);
    if (access((exists ? file : folder).c_str(), W_OK) != 0)
        throw PlayerError("cannot write screenshot " + path + ": permission denied");
}

void Screenshot::capture(unsigned w, unsigned h) {
    width = w;
    height = h;
    pixels.resize(std::size_t(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, static_cast<GLsizei>(w), static_cast<GLsizei>(h), GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
}

void Screenshot::save(const std::string& path) const {
    if (pixels.empty()) throw PlayerError("no frame was drawn to write to " + path);
    write(path, width, height, pixels);
}

void Screenshot::write(const std::string& path, unsigned width, unsigned height,
                       const std::vector<unsigned char>& pixels) {
    ilInit();
    const ILuint image = ilGenImage();
    ilBindImage(image);
    // The image keeps DevIL's lower-left origin, the row order of OpenGL: the encoder
    // writes it upright.
    ilEnable(IL_FILE_OVERWRITE);
    bool written = ilTexImage(width, height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE,
                              const_cast<unsigned char*>(pixels.data())) == IL_TRUE;
    written = written && ilSave(IL_PNG, path.c_str()) == IL_TRUE;
    ilDeleteImage(image);
    if (!written) throw PlayerError("cannot write screenshot " + path);
}
