#pragma once

#include <memory>

#include "game/board.h"
#include "shell/platform/dc.h"

// A prepared picture one square in size: an off-screen surface with its bitmap selected
// for the surface's whole life. Painting a square is one block copy from it.
struct SquareImage {
    std::unique_ptr<CDC> surface;
    std::unique_ptr<CBitmap> bitmap;
};

// The pictures of the six kinds a square can show, in the order the board keeps them.
struct SquareImages {
    SquareImage leftTileImage;
    SquareImage centreTileImage;
    SquareImage rightTileImage;
    SquareImage emptyImage;
    SquareImage homeImage;
    SquareImage borderImage;

    // The picture of a kind, or none for the trial kinds and any other value.
    const SquareImage* ForKind(SquareKind kind) const {
        switch (kind) {
            case LeftTile:
                return &leftTileImage;
            case CentreTile:
                return &centreTileImage;
            case RightTile:
                return &rightTileImage;
            case Home:
                return &homeImage;
            case Border:
                return &borderImage;
            case Empty:
                return &emptyImage;
            default:
                return nullptr;
        }
    }
};
