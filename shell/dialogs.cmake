# The editing dialogs: names, marks, zones, categories and the route dialogs.
target_sources(veltrix_shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/dialog_base.cpp ${CMAKE_CURRENT_LIST_DIR}/dialog_base.h
    ${CMAKE_CURRENT_LIST_DIR}/name_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/name_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/marca_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/marca_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/zona_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/zona_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/categorias_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/categorias_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/nueva_categoria_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nueva_categoria_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/nueva_ruta_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/nueva_ruta_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/estacion_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/estacion_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/ruta_color_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/ruta_color_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/color_window.cpp ${CMAKE_CURRENT_LIST_DIR}/color_window.h
)
