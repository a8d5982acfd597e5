target_sources(kadrela_gui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/OpenDialogMemory.cpp ${CMAKE_CURRENT_LIST_DIR}/OpenDialogMemory.h
    ${CMAKE_CURRENT_LIST_DIR}/PhotoListBox.cpp ${CMAKE_CURRENT_LIST_DIR}/PhotoListBox.h
    ${CMAKE_CURRENT_LIST_DIR}/PhotoListTab.cpp ${CMAKE_CURRENT_LIST_DIR}/PhotoListTab.h)
