#ifndef DRAVIK_TESTS_APPEARANCE_TESTIMAGES_H
#define DRAVIK_TESTS_APPEARANCE_TESTIMAGES_H

#include <IL/il.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

// Image files written with DevIL for the tests, in a folder of their own that is removed
// with the object. Pixel rows are given top row first.
class TestImageFolder {
public:
    TestImageFolder() {
        folder = std::filesystem::temp_directory_path() /
                 ("dravik-images-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(folder);
        ilInit();
        ilEnable(IL_FILE_OVERWRITE);
    }
    ~TestImageFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::string path(const std::string& name) const { return (folder / name).string(); }

    // `fileType` is a DevIL file type such as IL_PNG or IL_BMP; `channels` bytes per pixel
    // of `format`. For IL_COLOUR_INDEX, `palette` holds RGB triples.
    std::string write(const std::string& name, ILenum fileType, unsigned width, unsigned height,
                      ILenum format, unsigned channels, std::vector<unsigned char> pixels,
                      std::vector<unsigned char> palette = {}) const {
        ILuint image = 0;
        ilGenImages(1, &image);
        ilBindImage(image);
        ilTexImage(width, height, 1, static_cast<ILubyte>(channels), format, IL_UNSIGNED_BYTE, pixels.data());
        ilRegisterOrigin(IL_ORIGIN_UPPER_LEFT);
        if (!palette.empty())
            ilRegisterPal(palette.data(), static_cast<ILuint>(palette.size()), IL_PAL_RGB24);
        const std::string file = path(name);
        ilSave(fileType, file.c_str());
        ilDeleteImages(1, &image);
        return file;
    }

    std::string writeBytes(const std::string& name, const std::string& bytes) const {
        const std::string file = path(name);
        if (std::FILE* out = std::fopen(file.c_str(), "wb")) {
            std::fwrite(bytes.data(), 1, bytes.size(), out);
            std::fclose(out);
        }
        return file;
    }

private:
    std::filesystem::path folder;
    static inline int counter = 0;
};

#endif
