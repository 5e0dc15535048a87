#ifndef DRAVIK_APPEARANCE_BORDERSTRATEGY_H
#define DRAVIK_APPEARANCE_BORDERSTRATEGY_H

#include <cstdint>
#include <vector>

#include "app/DisplayList.h"
#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

// Draws a rectangular outline on the edge of its component: one in the normal colour and,
// while a user holds the component (its identifier is among the selected ones), a second in
// the selected colour on top. Outline alphas are multiplied by the component's alpha.
//
// The outline is compiled into a display list, rebuilt at the next draw after the
// component's size changed; a draw issues only a line width, a colour and a list call per
// outline. Setting a colour or a width rebuilds the lists at once (the gradient and round
// variants compile colours and widths into them).
//
// Touches: the component's rectangle picks the component, as long as the strategy draws any
// outline. A width that is not a positive number leaves its outline out.
class DRAVIK_API BorderStrategy : public VisComponentStrategy {
public:
    BorderStrategy();  // white outlines, 1.5 pixels wide, both drawn
    // A copy has the same settings and builds display lists of its own.
    BorderStrategy(const BorderStrategy& other);
    BorderStrategy& operator=(const BorderStrategy& other);

    // Colours are red, green, blue, alpha in 0 to 1; a getter returns the strategy's own array.
    double* getColor() { return color; }
    void setColor(const double* rgba);
    double* getSelectedColor() { return selectedColor; }
    void setSelectedColor(const double* rgba);
    double getBorderWidth() const { return borderWidth; }
    void setBorderWidth(double width);
    double getSelectedBorderWidth() const { return selectedBorderWidth; }
    void setSelectedBorderWidth(double width);
    bool getDrawBorder() const { return drawBorder; }
    void setDrawBorder(bool draw) { drawBorder = draw; }
    bool getDrawSelectedBorder() const { return drawSelectedBorder; }
    void setDrawSelectedBorder(bool draw) { drawSelectedBorder = draw; }

protected:
    void initProperties() override;
    void draw(const std::vector<unsigned long>& selectedIds) override;
    void drawForPicking() override;

    // Compiles the outline for the component's current size; nothing without a component.
    virtual void createDisplayList();

    // The lists must be built again before drawing: none yet, or the component's size (for
    // the round variants also its scale) differs from the one they were built for.
    virtual bool displayListsOutdated() const;
    // Draws the normal or the selected outline from the built lists.
    virtual void drawOutline(bool selected);
    // Builds the lists if they are outdated; false when nothing is to be drawn at all.
    bool prepareOutlines();
    // Remembers the component's size as the one the lists are built for; false without a
    // component.
    bool takeListSize();

    double color[4] = {1.0, 1.0, 1.0, 1.0};
    double selectedColor[4] = {1.0, 1.0, 1.0, 1.0};
    double borderWidth = 1.5;          // pixels
    double selectedBorderWidth = 1.5;
    bool drawBorder = true;
    bool drawSelectedBorder = true;
    DisplayList displayList;
    std::uint32_t listWidth = 0;       // component size when the list was built
    std::uint32_t listHeight = 0;

private:
    void rebuildIfBuilt();
};

#endif
