#ifndef DRAVIK_PLAYER_SCREENSHOT_H
#define DRAVIK_PLAYER_SCREENSHOT_H

#include <string>
#include <vector>

// The pixels of a drawn frame, written out as a PNG image.
class Screenshot {
public:
    // Throws PlayerError when a file cannot be created at the path (no such folder, a
    // folder of that name, no permission), so that a run fails before it starts.
    static void checkWritable(const std::string& path);

    // Reads the frame being drawn (the back buffer) from the window's bottom-left corner.
    void capture(unsigned width, unsigned height);
    bool isEmpty() const { return pixels.empty(); }
    // Throws PlayerError when there is nothing captured or the file cannot be written.
    void save(const std::string& path) const;
    // Writes width x height RGB pixels, bottom row first; throws PlayerError when it cannot.
    static void write(const std::string& path, unsigned width, unsigned height,
                      const std::vector<unsigned char>& pixels);

    unsigned getWidth() const { return width; }
    unsigned getHeight() const { return height; }
    const std::vector<unsigned char>& getPixels() const { return pixels; }

private:
    unsigned width = 0;
    unsigned height = 0;
    std::vector<unsigned char> pixels;  // RGB rows, bottom row first
};

#endif
