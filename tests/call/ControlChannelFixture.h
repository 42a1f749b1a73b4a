#pragma once

#include <gtest/gtest.h>

#include <QTest>

#include "CallFakes.h"
#include "RawPeer.h"
#include "call/ControlChannel.h"
#include "settings/TerminalSettings.h"

// A ControlChannel with fake window, boxes and ringer, for tests that talk to
// it through a raw peer.
class ControlChannelFixture : public ::testing::Test {
protected:
    bool WaitForPane1(const QString& text) {
        return QTest::qWaitFor([&] { return view.panes[1] == text; }, RawPeer::kWaitMs);
    }

    TerminalSettings settings;
    CallState call;
    MediaState media;
    FakeView view{media};
    ScriptedBoxes boxes;
    FakeRinger ringer;
    ControlChannel channel{settings, call, media, view, boxes, ringer};
};
