# The business information pop-up.
target_sources(veltrix_view PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/info_popup.cpp ${CMAKE_CURRENT_LIST_DIR}/info_popup.h
)
