#pragma once

#include <QList>
#include <QStringList>

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

// The Polish caption of a control as the window is laid out (empty when the table gives it
// none), and the Polish items of a list in item order.
QString formText(const char* objectName);
QStringList formItems(const char* objectName);
