# Colour and font conversions need no window.
target_sources(kadrela_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ColourConversion.cpp ${CMAKE_CURRENT_LIST_DIR}/ColourConversion.h)

# The controls of the three parameter tab pages.
target_sources(kadrela_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/FontChooserDialog.cpp ${CMAKE_CURRENT_LIST_DIR}/FontChooserDialog.h
    ${CMAKE_CURRENT_LIST_DIR}/ParameterControls.cpp ${CMAKE_CURRENT_LIST_DIR}/ParameterControls.h
    ${CMAKE_CURRENT_LIST_DIR}/MainPageTab.cpp ${CMAKE_CURRENT_LIST_DIR}/MainPageTab.h
    ${CMAKE_CURRENT_LIST_DIR}/AlbumPagesTab.cpp ${CMAKE_CURRENT_LIST_DIR}/AlbumPagesTab.h
    ${CMAKE_CURRENT_LIST_DIR}/BackgroundsTab.cpp ${CMAKE_CURRENT_LIST_DIR}/BackgroundsTab.h)
