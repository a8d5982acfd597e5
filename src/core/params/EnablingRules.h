#pragma once

#include "core/params/AlbumParameters.h"

#include <QList>
#include <QString>

// Which dependent controls can be operated, as a function of the parameters alone: a
// frame's width, colour and type only while the frame is on, a background picture only
// while its background is on, and so on. A disabled control keeps its value.
struct ControlState {
    QString objectName;
    bool enabled;
};

// Every dependent control of the parameter tab pages with its enabled state.
QList<ControlState> dependentControlStates(const AlbumParameters& parameters);
