#ifndef DRAVIK_WALL_WALLLAYOUT_H
#define DRAVIK_WALL_WALLLAYOUT_H

#include <string>
#include <vector>

struct PlayerOptions;

// The shape of a display wall: `columns` x `rows` panels ("tiles") of tileWidth x tileHeight
// pixels, with mullions (the bezels between panels) of mullionX pixels between columns and
// mullionY between rows. The display the scene lives on spans the whole wall, mullions
// included, so that a picture crossing a bezel lines up as if it went on behind the frame.
//
// Tiles are numbered row by row from the top-left panel (0, 1, ... as people read a wall).
// Each tile is drawn by one process (rank): `owners` names it per tile, or, when empty, the
// tiles are shared out in runs of consecutive numbers, as evenly as the ranks allow.
// Rank 0 may also show the whole wall scaled down to `operatorWidth` pixels wide.
struct WallLayout {
    struct Tile {
        unsigned number = 0;
        unsigned x = 0;  // bottom-left corner on the display (origin bottom-left, y up)
        unsigned y = 0;
    };

    unsigned columns = 0;  // 0: no wall
    unsigned rows = 0;
    unsigned tileWidth = 0;
    unsigned tileHeight = 0;
    unsigned mullionX = 0;
    unsigned mullionY = 0;
    std::vector<unsigned> owners;  // rank of each tile; empty: shared out evenly
    unsigned operatorWidth = 0;    // 0: no operator's view
    double timeoutSeconds = 10.0;  // longest wait of one rank for the others in a frame

    // The wall of the player's options (--wall COLSxROWS --tile WxH [--mullion PX], or
    // --wall FILE); columns 0 when they ask for none. Throws PlayerError for bad values.
    static WallLayout fromOptions(const PlayerOptions& options);

    bool isWall() const { return columns != 0; }
    unsigned tileCount() const { return columns * rows; }
    unsigned displayWidth() const { return columns * tileWidth + (columns - 1) * mullionX; }
    unsigned displayHeight() const { return rows * tileHeight + (rows - 1) * mullionY; }
    Tile tile(unsigned number) const;
    unsigned ownerOf(unsigned tile, unsigned ranks) const;
    std::vector<Tile> tilesOf(unsigned rank, unsigned ranks) const;
    // Throws PlayerError for a wall wider or higher than 32767 pixels or of more than 4096 tiles.
    void checkSize() const;
    // Throws PlayerError when the wall does not fit `ranks` processes: a tile's owner beyond
    // them, or a rank without anything to draw.
    void checkRanks(unsigned ranks) const;
};

#endif
