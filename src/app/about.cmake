# The About window.
target_sources(kadrela_gui PRIVATE AboutWindow.cpp AboutWindow.h)
