#include "config/ImageStrategyParser.h"

#include <cwchar>

#include "appearance/ImageStrategy.h"
#include "appearance/TextureManager.h"
#include "config/XMLNode.h"
#include "framework/VisComponent.h"

void ImageStrategyParser::parse(const XMLNode& node, VisComponent* component) {
    const wchar_t* textureId = node.getAttribute(L"texture-id");
    std::uint32_t textureName = 1;
    if (textureId != nullptr && textureManager != nullptr && std::wcscmp(textureId, L"?") == 0)
        textureName = textureManager->getRandomTextureName();
    else if (textureId != nullptr)
        textureName = obtainUnsignedIntValue(textureId);
    component->pushStrategy(new ImageStrategy(textureName));
}
