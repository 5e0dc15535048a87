#ifndef DRAVIK_CONFIG_IMAGESTRATEGYPARSER_H
#define DRAVIK_CONFIG_IMAGESTRATEGYPARSER_H

#include "config/StrategyParser.h"
#include "framework/Export.h"

class TextureManager;

// "Image": an ImageStrategy. "texture-id" is the OpenGL texture name to draw (1 when
// absent), or "?" for one of the configuration's loaded textures drawn at random (0, no
// texture, before the configuration has handed over its texture manager).
class DRAVIK_API ImageStrategyParser : public StrategyParser {
public:
    ImageStrategyParser() = default;
    ImageStrategyParser(const ImageStrategyParser&) = default;
    ImageStrategyParser& operator=(const ImageStrategyParser&) = default;
    ~ImageStrategyParser() override = default;

    void parse(const XMLNode& node, VisComponent* component) override;

    // The configuration's texture manager, used for "?"; not owned.
    void setTextureManager(TextureManager* manager) { textureManager = manager; }

private:
    TextureManager* textureManager = nullptr;
};

#endif
