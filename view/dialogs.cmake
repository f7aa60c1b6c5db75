# The map's editing tools and the dialogs they open: names, marks and the route
# dialogs, with the base every editing dialog of the program shares.
target_sources(veltrix_view PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/map_tools.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_base.cpp ${CMAKE_CURRENT_LIST_DIR}/dialog_base.h
    ${CMAKE_CURRENT_LIST_DIR}/name_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/name_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/marca_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/marca_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/nueva_ruta_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/nueva_ruta_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/estacion_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/estacion_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/ruta_color_dialog.cpp ${CMAKE_CURRENT_LIST_DIR}/ruta_color_dialog.h
    ${CMAKE_CURRENT_LIST_DIR}/color_window.cpp ${CMAKE_CURRENT_LIST_DIR}/color_window.h
)
