#ifndef DRAVIK_APPEARANCE_IMAGESTRATEGY_H
#define DRAVIK_APPEARANCE_IMAGESTRATEGY_H

#include <cstdint>
#include <vector>

#include "app/DisplayList.h"
#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

// Draws its component as a rectangle covered by one OpenGL texture, tinted by the
// component's colour (its alpha carries over), and the same rectangle in the component's
// identifier colour for picking. Both are display lists, rebuilt when the size changes.
class DRAVIK_API ImageStrategy : public VisComponentStrategy {
public:
    // `textureName` is an OpenGL texture name, e.g. one from TextureManager.
    explicit ImageStrategy(std::uint32_t textureName);
    // A copy draws the same texture and builds display lists of its own.
    ImageStrategy(const ImageStrategy& other);
    ImageStrategy& operator=(const ImageStrategy& other);

    std::uint32_t getTextureName() const { return textureName; }

protected:
    void draw(const std::vector<unsigned long>& selectedIds) override;
    void drawForPicking() override;

    // Builds the textured and the picking rectangle for the component's current size.
    void createDisplayList();

private:
    bool listsOutdated(const DisplayList& list) const;

    std::uint32_t textureName;
    DisplayList displayList;
    DisplayList pickingList;
    std::uint32_t listWidth = 0;    // component size when the lists were built
    std::uint32_t listHeight = 0;
};

#endif
