# The editing dialogs of the pages: zones and categories. The dialogs the map
# tools open (and their common base) live with the map window in view/.
target_sources(veltrix_shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/zona_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/zona_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/categorias_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/categorias_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/nueva_categoria_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nueva_categoria_dialog.h
)
