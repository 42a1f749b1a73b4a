#pragma once

// Where the picture-in-picture inset sits in the remote picture, in pixels
// from its top-left corner.
struct InsetPlacement {
    int x = 0;
    int y = 0;
    int width = 160;
    int height = 120;
};
