#ifndef DRAVIK_APPEARANCE_BETTERBORDERSTRATEGY_H
#define DRAVIK_APPEARANCE_BETTERBORDERSTRATEGY_H

#include <cstdint>
#include <vector>

#include "app/DisplayList.h"
#include "framework/Export.h"
#include "framework/VisComponentStrategy.h"

// The rectangular outline of BorderStrategy as a stand-alone strategy that takes every
// setting in its constructor and rebuilds its display list as soon as the component reports
// a new size (and, like BorderStrategy, at a draw that finds the size changed). Its setters
// only store: a new colour or width shows at the next draw, since neither is compiled in.
//
// Touches: the component's rectangle picks the component while any outline is drawn.
class DRAVIK_API BetterBorderStrategy : public VisComponentStrategy {
public:
    // Colour pointers point to red, green, blue, alpha (copied); null gives opaque white.
    explicit BetterBorderStrategy(const double* borderColor = nullptr, const double* selectedBorderColor = nullptr,
                                  double borderWidth = 1.5, double selectedBorderWidth = 1.5, bool drawBorder = true,
                                  bool drawSelectedBorder = true);
    // A copy has the same settings and builds a display list of its own.
    BetterBorderStrategy(const BetterBorderStrategy& other);
    BetterBorderStrategy& operator=(const BetterBorderStrategy& other);

    double* getBorderColor() { return borderColor; }
    void setBorderColor(const double* rgba);
    double* getSelectedBorderColor() { return selectedBorderColor; }
    void setSelectedBorderColor(const double* rgba);
    double getBorderWidth() const { return borderWidth; }
    void setBorderWidth(double width) { borderWidth = width; }
    double getSelectedBorderWidth() const { return selectedBorderWidth; }
    void setSelectedBorderWidth(double width) { selectedBorderWidth = width; }
    bool getDrawBorder() const { return drawBorder; }
    void setDrawBorder(bool draw) { drawBorder = draw; }
    bool getDrawSelectedBorder() const { return drawSelectedBorder; }
    void setDrawSelectedBorder(bool draw) { drawSelectedBorder = draw; }

protected:
    void initProperties() override;
    void draw(const std::vector<unsigned long>& selectedIds) override;
    void drawForPicking() override;
    // The list is built from the component's current size; the arguments are not used.
    void resize(unsigned width, unsigned height) override;

    virtual void createDisplayList();

private:
    double borderColor[4];
    double selectedBorderColor[4];
    double borderWidth;
    double selectedBorderWidth;
    bool drawBorder;
    bool drawSelectedBorder;
    DisplayList displayList;
    std::uint32_t listWidth = 0;
    std::uint32_t listHeight = 0;
};

#endif
