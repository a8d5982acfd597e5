target_sources(kadrela_gui PRIVATE
    PhotoListTab.cpp PhotoListTab.h)
