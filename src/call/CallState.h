#pragma once

#include <cstdint>

// The call as the window's thread sees it; only that thread reads or writes
// it. Whether all media were opened by the one-key operation lives in
// MediaState::oneKeyOn, because the media threads read it too.
struct CallState {
    // A call is up, on either side.
    bool connected = false;
    // This terminal holds an open connection as the caller.
    bool callerLinkOpen = false;
    // Calls accepted after asking the user; never decremented.
    int32_t acceptedCallCount = 0;
};
