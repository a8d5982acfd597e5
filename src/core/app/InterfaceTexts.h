#pragma once

#include <QList>

// Which text of the string table each control of the main window shows: its caption, its
// hint, or one item of a list. The language switch walks this table.
enum class TextRole { Text, ToolTip, Item };

struct TextBinding {
    const char* objectName;
    TextRole role;
    int itemIndex; // for TextRole::Item
    int polishId;
};

QList<TextBinding> interfaceTextBindings();
