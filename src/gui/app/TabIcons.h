#pragma once

#include <QIcon>

// The pictures of the tabs, drawn as shapes so they stay sharp at any screen density.
enum class TabPicture { Photos, MainPage, AlbumPages, Backgrounds, ModernPages };

QIcon tabIcon(TabPicture picture);
