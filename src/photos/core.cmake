# The photo list's window-free parts: paths, order, scanning, the gate into the list, preview.
target_sources(kadrela_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/DirectoryScan.cpp ${CMAKE_CURRENT_LIST_DIR}/DirectoryScan.h
    ${CMAKE_CURRENT_LIST_DIR}/PathParts.cpp ${CMAKE_CURRENT_LIST_DIR}/PathParts.h
    ${CMAKE_CURRENT_LIST_DIR}/PhotoAdding.cpp ${CMAKE_CURRENT_LIST_DIR}/PhotoAdding.h
    ${CMAKE_CURRENT_LIST_DIR}/PhotoListOrder.cpp ${CMAKE_CURRENT_LIST_DIR}/PhotoListOrder.h
    ${CMAKE_CURRENT_LIST_DIR}/PreviewPicture.cpp ${CMAKE_CURRENT_LIST_DIR}/PreviewPicture.h)
