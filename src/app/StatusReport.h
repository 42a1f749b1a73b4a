#pragma once

#include <QJsonArray>
#include <QJsonObject>

#include "app/MessageLog.h"

struct CallState;
struct MediaCounters;
struct MediaState;
class TerminalSettings;

// The parts of the automation status that come from shared records, as JSON.
class StatusReport {
public:
    // connected, callerLinkOpen, oneKeyOn, acceptedCallCount.
    static QJsonObject Call(const CallState& call, const MediaState& media);
    // Every flag of MediaState as a number.
    static QJsonObject Media(const MediaState& media);
    static QJsonObject Counters(const MediaCounters& counters);
    static QJsonObject Settings(const TerminalSettings& settings);
    static QJsonArray Messages(const std::vector<MessageLog::Entry>& entries);
};
