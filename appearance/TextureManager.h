#ifndef DRAVIK_APPEARANCE_TEXTUREMANAGER_H
#define DRAVIK_APPEARANCE_TEXTUREMANAGER_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Export.h"

// Turns image files into OpenGL textures, one texture name per file, kept in load order.
// Filtering, mipmapping and a compressed or plain internal format follow the options below
// and the compression extensions that the driver reports. Construct, load and use it while
// the OpenGL context is current. The textures outlive the manager.
//
// An image larger than the driver's largest texture (GL_MAX_TEXTURE_SIZE), or whose pixels
// would take more than the memory budget, is refused from its file's header before it is
// decoded, with a line naming its size and the limit.
class DRAVIK_API TextureManager {
public:
    // Takes each line that reports a problem ("TextureManager.loadTexture(): ..." and the
    // lines about compression formats), without its end of line.
    using ProblemHandler = std::function<void(const std::string& line)>;

    // 1 GiB: a 16384 x 16384 image at four bytes a pixel.
    static constexpr std::uint64_t defaultMaxImageBytes = std::uint64_t(1) << 30;

    // Reads the driver's extensions (writes a line for each compression extension missing).
    TextureManager();
    TextureManager(const TextureManager&) = default;
    TextureManager& operator=(const TextureManager&) = default;
    ~TextureManager() = default;

    // Loads one file into a new texture and appends its name. A file that cannot be loaded
    // gets a line on standard output and no texture.
    void loadTexture(const char* path);
    void loadTextures(std::vector<std::string> paths);

    std::vector<std::uint32_t> getTextureNames() const;
    // Every path given to loadTexture, in order, whether it loaded or not: the files a
    // host watches for changes.
    const std::vector<std::string>& getRequestedFiles() const { return requestedFiles; }
    // The name at that position in load order; 0 (no texture) past the end.
    std::uint32_t getTextureName(unsigned index) const;
    // One of the loaded names, drawn with rand(); the last one only for a draw of 32767.
    // 0 (no texture) when none is loaded.
    std::uint32_t getRandomTextureName() const;

    // Options for textures loaded afterwards.
    bool isMipMapping() const { return mipMapping; }
    void setMipMapping(bool value) { mipMapping = value; }
    bool isLinearFiltering() const { return linearFiltering; }
    void setLinearFiltering(bool value) { linearFiltering = value; }
    bool isTexCompression() const { return texCompression; }
    void setTexCompression(bool value) { texCompression = value; }
    // With compression on: the generic ARB compressed formats (true) or S3TC (false).
    bool isTexCompressionARB() const { return texCompressionARB; }
    void setTexCompressionARB(bool value) { texCompressionARB = value; }

    // Where problem lines go; by default (and for an empty handler) to standard output.
    void setProblemHandler(ProblemHandler handler) { problemHandler = std::move(handler); }
    // Whether each loaded texture gets its line "Loaded texture N in image: PATH!" on
    // standard output (the default).
    void setReportLoads(bool report) { reportLoads = report; }
    // The most bytes of pixels, at four bytes a pixel, that one image may take.
    void setMaxImageBytes(std::uint64_t bytes) { maxImageBytes = bytes; }
    std::uint64_t getMaxImageBytes() const { return maxImageBytes; }

    // The index that getRandomTextureName picks for a draw r of 0 ... 32767 among `count` names.
    static unsigned randomIndex(int r, std::size_t count);

private:
    void checkHWSupport();
    void setTextureParameters();
    void setTextureFormat(bool hasAlpha);
    void reportProblem(const std::string& line) const;

    std::vector<std::uint32_t> textureNames;
    std::vector<std::string> requestedFiles;
    bool mipMapping = true;
    bool linearFiltering = true;
    bool texCompression = true;
    bool texCompressionARB = true;
    std::uint32_t textureFormat;
    bool s3tcSupported = false;
    bool arbCompressionSupported = false;
    ProblemHandler problemHandler;
    bool reportLoads = true;
    std::uint64_t maxImageBytes = defaultMaxImageBytes;
};

#endif
