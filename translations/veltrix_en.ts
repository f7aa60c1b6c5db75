<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>CBuscarDlg</name>
    <message>
        <source>Buscar</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Buscar:</source>
        <translation>Search:</translation>
    </message>
    <message>
        <source>Encontrados:</source>
        <translation>Found:</translation>
    </message>
    <message>
        <source>Mostrar</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CCategoriasDlg</name>
    <message>
        <source>Categorias para marcas personales</source>
        <translation>Categories for businesses</translation>
    </message>
    <message>
        <source>Categorias existentes:</source>
        <translation>Existing categories:</translation>
    </message>
    <message>
        <source>Nueva</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Editar</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Eliminar</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Salir</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Esta categoria ya existe</source>
        <translation>This category already exists</translation>
    </message>
</context>
<context>
    <name>CCtrlWnd</name>
    <message>
        <source>Zoom:</source>
        <translation>Zoom:</translation>
    </message>
</context>
<context>
    <name>CEstacionDlg</name>
    <message>
        <source>Insertar estación</source>
        <translation>Insert station</translation>
    </message>
    <message>
        <source>Nombre de la estacion:</source>
        <translation>Station name:</translation>
    </message>
    <message>
        <source>Finalizar ruta</source>
        <translation>End route</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CGuiaDlg</name>
    <message>
        <source>Imprimir guía</source>
        <translation>Print guide</translation>
    </message>
    <message>
        <source>Carta</source>
        <translation>Letter</translation>
    </message>
    <message>
        <source>Doble carta</source>
        <translation>Tabloid</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>&amp;Escala:</source>
        <translation>&amp;Scale:</translation>
    </message>
    <message>
        <source>&amp;Papel:</source>
        <translation>&amp;Paper:</translation>
    </message>
    <message>
        <source>&amp;Orientación:</source>
        <translation>&amp;Orientation:</translation>
    </message>
    <message>
        <source>Portada, plano de conjunto, planos por páginas con cuadrícula, índice de calles y directorio, en un archivo PDF.</source>
        <translation>Cover, key map, map pages with a grid, street index and directory, in a PDF file.</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Haciendo la guía...</source>
        <translation>Making the guide...</translation>
    </message>
    <message>
        <source>Documento PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Guardar la guía</source>
        <translation>Save the guide</translation>
    </message>
    <message>
        <source>Se guardó la guía en %1.</source>
        <translation>The guide was saved as %1.</translation>
    </message>
</context>
<context>
    <name>CInfoPopup</name>
    <message>
        <source>Tel.: %1</source>
        <translation>Phone: %1</translation>
    </message>
    <message>
        <source>Comentarios:</source>
        <translation>Comments:</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Archivo</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Edición</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Ver</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Herramientas</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>Ay&amp;uda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Barra de herramientas</source>
        <translation>Toolbar</translation>
    </message>
</context>
<context>
    <name>CMainStatusBar</name>
    <message>
        <source>Preparado</source>
        <translation>Ready</translation>
    </message>
</context>
<context>
    <name>CMarcaDlg</name>
    <message>
        <source>Marcas</source>
        <translation>Businesses</translation>
    </message>
    <message>
        <source>Nombre:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Telefono:</source>
        <translation>Phone:</translation>
    </message>
    <message>
        <source>Domicilio:</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CNombreDlg</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CPreferenciasDlg</name>
    <message>
        <source>Preferencias</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>Guardar una copia de recuperación cada</source>
        <translation>Save a recovery copy every</translation>
    </message>
    <message>
        <source>nunca</source>
        <translation>never</translation>
    </message>
    <message>
        <source>minutos</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>Mientras el mapa tiene cambios sin guardar, Veltrix guarda aparte una copia de recuperación que ofrece si el programa se cierra sin querer. Con 0 no se guarda ninguna.</source>
        <translation>While the map has unsaved changes, Veltrix keeps a recovery copy aside and offers it if the program closes unexpectedly. With 0 no copy is kept.</translation>
    </message>
    <message>
        <source>&amp;Idioma:</source>
        <translation>&amp;Language:</translation>
    </message>
    <message>
        <source>El del sistema</source>
        <translation>The system&apos;s</translation>
    </message>
    <message>
        <source>El idioma cambia la próxima vez que se abre Veltrix.</source>
        <translation>The language changes the next time Veltrix starts.</translation>
    </message>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CPropCalles</name>
    <message>
        <source>Calles</source>
        <translation>Streets</translation>
    </message>
    <message>
        <source>¿Esta seguro de eliminar esta calle?</source>
        <translation>Are you sure you want to delete this street?</translation>
    </message>
    <message>
        <source>Renombrar calle</source>
        <translation>Rename street</translation>
    </message>
    <message>
        <source>Eliminar calle</source>
        <translation>Delete street</translation>
    </message>
</context>
<context>
    <name>CPropColonias</name>
    <message>
        <source>Colonias</source>
        <translation>Neighbourhoods</translation>
    </message>
    <message>
        <source>¿Esta seguro de eliminar esta colonia?</source>
        <translation>Are you sure you want to delete this neighbourhood?</translation>
    </message>
    <message>
        <source>Renombrar colonia</source>
        <translation>Rename neighbourhood</translation>
    </message>
    <message>
        <source>Eliminar colonia</source>
        <translation>Delete neighbourhood</translation>
    </message>
</context>
<context>
    <name>CPropNamePage</name>
    <message>
        <source>Editar</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Eliminar</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Buscar</source>
        <translation>Search</translation>
    </message>
</context>
<context>
    <name>CPropReferencias</name>
    <message>
        <source>Referencias</source>
        <translation>Landmarks</translation>
    </message>
    <message>
        <source>¿Esta seguro de eliminar esta referencia?</source>
        <translation>Are you sure you want to delete this landmark?</translation>
    </message>
    <message>
        <source>Renombrar referencia</source>
        <translation>Rename landmark</translation>
    </message>
    <message>
        <source>Eliminar referencia</source>
        <translation>Delete landmark</translation>
    </message>
</context>
<context>
    <name>CPropRutas</name>
    <message>
        <source>Rutas</source>
        <translation>Routes</translation>
    </message>
    <message>
        <source>Editar</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Eliminar</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Ruta%1</source>
        <translation>Route%1</translation>
    </message>
    <message>
        <source>Renombrar ruta</source>
        <translation>Rename route</translation>
    </message>
    <message>
        <source>¿Está seguro de eliminar la ruta %1</source>
        <translation>Are you sure you want to delete the route %1</translation>
    </message>
    <message>
        <source>Eliminar ruta</source>
        <translation>Delete route</translation>
    </message>
</context>
<context>
    <name>CPropServicios</name>
    <message>
        <source>Marcas</source>
        <translation>Businesses</translation>
    </message>
    <message>
        <source>Categorias:</source>
        <translation>Categories:</translation>
    </message>
    <message>
        <source>Editar</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Categorias</source>
        <translation>Categories</translation>
    </message>
    <message>
        <source>Eliminar</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Editar marca</source>
        <translation>Edit business</translation>
    </message>
    <message>
        <source>¿Está seguro de eliminar el registro seleccionado?</source>
        <translation>Are you sure you want to delete the selected entry?</translation>
    </message>
    <message>
        <source>Eliminar marca</source>
        <translation>Delete business</translation>
    </message>
    <message>
        <source>Nueva categoría</source>
        <translation>New category</translation>
    </message>
    <message>
        <source>Renombrar categoría</source>
        <translation>Rename category</translation>
    </message>
    <message>
        <source>Eliminar categoría</source>
        <translation>Delete category</translation>
    </message>
</context>
<context>
    <name>CPropZonas</name>
    <message>
        <source>Zonas</source>
        <translation>Zones</translation>
    </message>
    <message>
        <source>Nueva</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Editar</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Eliminar</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Asignar</source>
        <translation>Assign</translation>
    </message>
    <message>
        <source>Nueva zona</source>
        <translation>New zone</translation>
    </message>
    <message>
        <source>Editar zona</source>
        <translation>Edit zone</translation>
    </message>
    <message>
        <source>¿Está seguro de eliminar la zona %1</source>
        <translation>Are you sure you want to delete the zone %1</translation>
    </message>
    <message>
        <source>Eliminar zona</source>
        <translation>Delete zone</translation>
    </message>
    <message>
        <source>Esta zona ya tiene asignados elementos. Eliminela primeramente</source>
        <translation>This zone already has blocks. Delete it first</translation>
    </message>
    <message>
        <source>¿Está seguro de asignar la selección a la zona %1</source>
        <translation>Are you sure you want to assign the selection to the zone %1</translation>
    </message>
</context>
<context>
    <name>CPropiedades</name>
    <message>
        <source>Calles</source>
        <translation>Streets</translation>
    </message>
    <message>
        <source>Referencias</source>
        <translation>Landmarks</translation>
    </message>
    <message>
        <source>Rutas</source>
        <translation>Routes</translation>
    </message>
    <message>
        <source>Marcas</source>
        <translation>Businesses</translation>
    </message>
    <message>
        <source>Colonias</source>
        <translation>Neighbourhoods</translation>
    </message>
    <message>
        <source>Zonas</source>
        <translation>Zones</translation>
    </message>
</context>
<context>
    <name>CRutaColorDlg</name>
    <message>
        <source>Rutas con estaciones</source>
        <translation>Routes with stations</translation>
    </message>
    <message>
        <source>Nombre de la ruta:</source>
        <translation>Route name:</translation>
    </message>
    <message>
        <source>Mostrar en color</source>
        <translation>Show in colour</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CZonaDlg</name>
    <message>
        <source>Edición zonas</source>
        <translation>Edit zones</translation>
    </message>
    <message>
        <source>Nombre:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Notas:</source>
        <translation>Notes:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>A&amp;brir...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>Abre un mapa de cualquier carpeta</source>
        <translation>Opens a map from any folder</translation>
    </message>
    <message>
        <source>Abrir mapa</source>
        <translation>Open map</translation>
    </message>
    <message>
        <source>&amp;Abrir paquete</source>
        <translation>Open from &amp;catalogue</translation>
    </message>
    <message>
        <source>Abre un archivo de mapas</source>
        <translation>Opens a map from the catalogue</translation>
    </message>
    <message>
        <source>Abrir</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>&amp;Guardar</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>Guarda los cambios en el archivo</source>
        <translation>Saves the changes to the file</translation>
    </message>
    <message>
        <source>Guardar</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Guardar &amp;como...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Guarda el mapa con otro nombre o en otra carpeta</source>
        <translation>Saves the map under another name or in another folder</translation>
    </message>
    <message>
        <source>Guardar como</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Pre&amp;ferencias...</source>
        <translation>Pre&amp;ferences...</translation>
    </message>
    <message>
        <source>Cambia cada cuántos minutos se guarda una copia de recuperación</source>
        <translation>Changes how often a recovery copy is saved</translation>
    </message>
    <message>
        <source>&amp;Copiar mapa</source>
        <translation>&amp;Copy map</translation>
    </message>
    <message>
        <source>Copiar al portapapeles el mapa en pantalla</source>
        <translation>Copies the map on the screen to the clipboard</translation>
    </message>
    <message>
        <source>Copiar</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>&amp;Imprimir</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Imprime el mapa</source>
        <translation>Prints the map</translation>
    </message>
    <message>
        <source>Imprimir</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>&amp;Exportar vista...</source>
        <translation>E&amp;xport view...</translation>
    </message>
    <message>
        <source>Guarda la vista del mapa en un archivo PNG o PDF</source>
        <translation>Saves the map view to a PNG or PDF file</translation>
    </message>
    <message>
        <source>Exportar</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Importar &amp;datos geográficos...</source>
        <translation>Import &amp;geographic data...</translation>
    </message>
    <message>
        <source>E&amp;xportar datos geográficos...</source>
        <translation>Export geographic &amp;data...</translation>
    </message>
    <message>
        <source>Crea un mapa a partir de datos geográficos: OpenStreetMap, shapefiles, GeoPackage, GeoJSON, KML o CSV</source>
        <translation>Makes a map from geographic data: OpenStreetMap, shapefiles, GeoPackage, GeoJSON, KML or CSV</translation>
    </message>
    <message>
        <source>Escribe las capas del mapa para programas de información geográfica: GeoJSON, GeoPackage, Shapefile, KML o CSV</source>
        <translation>Writes the map&apos;s layers for geographic information programs: GeoJSON, GeoPackage, Shapefile, KML or CSV</translation>
    </message>
    <message>
        <source>&amp;Deshacer</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>Deshace la última acción</source>
        <translation>Undoes the last action</translation>
    </message>
    <message>
        <source>Deshacer</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>&amp;Rehacer</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Rehace la acción previamente deshecha</source>
        <translation>Redoes the action undone last</translation>
    </message>
    <message>
        <source>Rehacer</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>&amp;Salir</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Sale de la aplicación; le pide que guarde los documentos</source>
        <translation>Quits the application; asks you to save the map</translation>
    </message>
    <message>
        <source>Salir</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Barra de &amp;herramientas</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>Muestra u oculta la barra de herramientas</source>
        <translation>Shows or hides the toolbar</translation>
    </message>
    <message>
        <source>Alternar Barra de herramientas</source>
        <translation>Toggle toolbar</translation>
    </message>
    <message>
        <source>Barra de &amp;estado</source>
        <translation>&amp;Status bar</translation>
    </message>
    <message>
        <source>Muestra u oculta la barra de estado</source>
        <translation>Shows or hides the status bar</translation>
    </message>
    <message>
        <source>Alternar Barra de estado</source>
        <translation>Toggle status bar</translation>
    </message>
    <message>
        <source>Mostrar &amp;Guía</source>
        <translation>Show &amp;Overview</translation>
    </message>
    <message>
        <source>Despliega una ventana con toda la extensión del mapa y ubica el área desplegada</source>
        <translation>Opens a window with the whole map and marks the area shown</translation>
    </message>
    <message>
        <source>Guía</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>Ver &amp;todo</source>
        <translation>View &amp;all</translation>
    </message>
    <message>
        <source>Muestra la ciudad completa en la ventana</source>
        <translation>Shows the whole town in the window</translation>
    </message>
    <message>
        <source>Ver todo</source>
        <translation>View all</translation>
    </message>
    <message>
        <source>Es&amp;cala gráfica</source>
        <translation>Scale &amp;bar</translation>
    </message>
    <message>
        <source>Muestra u oculta la escala gráfica del mapa</source>
        <translation>Shows or hides the map&apos;s scale bar</translation>
    </message>
    <message>
        <source>Escala gráfica</source>
        <translation>Scale bar</translation>
    </message>
    <message>
        <source>&amp;Propiedades</source>
        <translation>&amp;Properties</translation>
    </message>
    <message>
        <source>Muestra las propiedades del mapa cargado</source>
        <translation>Shows the properties of the open map</translation>
    </message>
    <message>
        <source>Propiedades</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Ayuda en &amp;linea...</source>
        <translation>Online &amp;help...</translation>
    </message>
    <message>
        <source>Imprimir &amp;guía...</source>
        <translation>Print &amp;guide...</translation>
    </message>
    <message>
        <source>Hace la guía impresa de la ciudad en PDF: planos por páginas con cuadrícula, índice de calles y directorio</source>
        <translation>Makes the printed town guide as a PDF: map pages with a grid, street index and directory</translation>
    </message>
    <message>
        <source>Imprimir guía</source>
        <translation>Print guide</translation>
    </message>
    <message>
        <source>Nombres sin &amp;encimarse</source>
        <translation>Names without &amp;overlaps</translation>
    </message>
    <message>
        <source>Deja fuera los nombres de calles que cubrirían a otros más importantes, como en la guía impresa</source>
        <translation>Leaves out the street names that would cover more important ones, as the printed guide does</translation>
    </message>
    <message>
        <source>Nombres sin encimarse</source>
        <translation>Names without overlaps</translation>
    </message>
</context>
<context>
    <name>Layer</name>
    <message>
        <source>Rellenar manzanas</source>
        <translation>Fill blocks</translation>
    </message>
    <message>
        <source>Mostrar referencias</source>
        <translation>Show landmarks</translation>
    </message>
    <message>
        <source>Mostrar colonias</source>
        <translation>Show neighbourhoods</translation>
    </message>
    <message>
        <source>Mostrar nombres de las calles</source>
        <translation>Show street names</translation>
    </message>
    <message>
        <source>Mostrar calles trazadas</source>
        <translation>Show traced streets</translation>
    </message>
    <message>
        <source>Mostrar todas las Rutas</source>
        <translation>Show all routes</translation>
    </message>
    <message>
        <source>Mostrar marcas</source>
        <translation>Show businesses</translation>
    </message>
</context>
<context>
    <name>MapTool</name>
    <message>
        <source>Marcar c&amp;olonia</source>
        <translation>Mark &amp;neighbourhood</translation>
    </message>
    <message>
        <source>Marca colonias</source>
        <translation>Marks neighbourhoods</translation>
    </message>
    <message>
        <source>Colonia</source>
        <translation>Neighbourhood</translation>
    </message>
    <message>
        <source>&amp;Distancia</source>
        <translation>&amp;Distance</translation>
    </message>
    <message>
        <source>Regla para medir distancias</source>
        <translation>Ruler to measure distances</translation>
    </message>
    <message>
        <source>Distancia</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>&amp;Información</source>
        <translation>&amp;Information</translation>
    </message>
    <message>
        <source>Muestra información sobre el punto seleccionado</source>
        <translation>Shows information about the chosen point</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Marcar Comercio/&amp;Servicio</source>
        <translation>Mark &amp;business/service</translation>
    </message>
    <message>
        <source>Marca comercios y/o servicios</source>
        <translation>Marks businesses and services</translation>
    </message>
    <message>
        <source>Marcas</source>
        <translation>Businesses</translation>
    </message>
    <message>
        <source>&amp;Navegar</source>
        <translation>&amp;Navigate</translation>
    </message>
    <message>
        <source>Cambia al modo de navegación en el mapa</source>
        <translation>Switches to navigating the map</translation>
    </message>
    <message>
        <source>Paneo</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>Pintar man&amp;zana</source>
        <translation>&amp;Paint block</translation>
    </message>
    <message>
        <source>Permite marcar una manzana con un color diferente</source>
        <translation>Marks a block with a different colour</translation>
    </message>
    <message>
        <source>Zonas verdes</source>
        <translation>Green areas</translation>
    </message>
    <message>
        <source>&amp;Marcar referencia</source>
        <translation>Mark &amp;landmark</translation>
    </message>
    <message>
        <source>Permite marcar lugares en el mapa</source>
        <translation>Marks places on the map</translation>
    </message>
    <message>
        <source>Referencias</source>
        <translation>Landmarks</translation>
    </message>
    <message>
        <source>&amp;Trazar ruta</source>
        <translation>Trace &amp;route</translation>
    </message>
    <message>
        <source>Permite trazar una ruta en el mapa</source>
        <translation>Traces a route on the map</translation>
    </message>
    <message>
        <source>Rutas</source>
        <translation>Routes</translation>
    </message>
    <message>
        <source>Seleccionar Manzana</source>
        <translation>Select block</translation>
    </message>
    <message>
        <source>Seleccionar manzana para edicion</source>
        <translation>Selects blocks to edit</translation>
    </message>
    <message>
        <source>Manzana</source>
        <translation>Block</translation>
    </message>
    <message>
        <source>Trazar &amp;Calle</source>
        <translation>Trace &amp;street</translation>
    </message>
    <message>
        <source>Trazar calles</source>
        <translation>Traces streets</translation>
    </message>
    <message>
        <source>Calle</source>
        <translation>Street</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Zoom</translation>
    </message>
    <message>
        <source>Acerca a aleja la escala del mapa</source>
        <translation>Zooms the map in or out</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Nueva colonia</source>
        <translation>New neighbourhood</translation>
    </message>
    <message>
        <source>Izquierdo: marcar una colonia en el punto</source>
        <translation>Left: mark a neighbourhood at the point</translation>
    </message>
    <message>
        <source>Izquierdo: empezar o terminar la medición | Esc: cancelar</source>
        <translation>Left: start or end the measurement | Esc: cancel</translation>
    </message>
    <message>
        <source>Izquierdo: ver los datos del comercio o servicio señalado</source>
        <translation>Left: see the details of the business or service pointed at</translation>
    </message>
    <message>
        <source>Nuevo comercio</source>
        <translation>New business</translation>
    </message>
    <message>
        <source>Izquierdo: marcar un comercio o servicio de la categoría actual</source>
        <translation>Left: mark a business or service of the current category</translation>
    </message>
    <message>
        <source>Izquierdo: arrastrar el mapa | Derecho: llevar el origen del mapa al centro</source>
        <translation>Left: drag the map | Right: bring the map&apos;s origin to the centre</translation>
    </message>
    <message>
        <source>Pintar manzana</source>
        <translation>Paint block</translation>
    </message>
    <message>
        <source>Izquierdo: pintar la manzana como zona verde | Derecho: devolverla al tipo normal</source>
        <translation>Left: paint the block as a green area | Right: make it an ordinary block again</translation>
    </message>
    <message>
        <source>Nueva referencia</source>
        <translation>New landmark</translation>
    </message>
    <message>
        <source>Izquierdo: marcar una referencia en el punto</source>
        <translation>Left: mark a landmark at the point</translation>
    </message>
    <message>
        <source>Nueva ruta</source>
        <translation>New route</translation>
    </message>
    <message>
        <source>Izquierdo: agregar un punto a la ruta | Derecho: insertar una estación (una calle trazada pasa a ser el contorno de la ruta) | Esc: cancelar el trazo</source>
        <translation>Left: add a point to the route | Right: insert a station (a traced street becomes the route&apos;s outline) | Esc: cancel the trace</translation>
    </message>
    <message>
        <source>Izquierdo: seleccionar una manzana (Ctrl: arrastrar un rectángulo) | Derecho: quitarla de la selección (Mayús: quitar todas)</source>
        <translation>Left: select a block (Ctrl: drag a rectangle) | Right: take it out of the selection (Shift: take out all)</translation>
    </message>
    <message>
        <source>Contorno de ruta</source>
        <translation>Route outline</translation>
    </message>
    <message>
        <source>Nueva calle</source>
        <translation>New street</translation>
    </message>
    <message>
        <source>Izquierdo: agregar un punto a la calle | Derecho: terminar y nombrar la calle | Esc: cancelar el trazo</source>
        <translation>Left: add a point to the street | Right: end and name the street | Esc: cancel the trace</translation>
    </message>
    <message>
        <source>Izquierdo: acercar | Derecho: alejar</source>
        <translation>Left: zoom in | Right: zoom out</translation>
    </message>
</context>
<context>
    <name>MessageBox</name>
    <message>
        <source>Aceptar</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Sí</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Problem</name>
    <message>
        <source>Formato de archivo no esperado.</source>
        <translation>Unexpected file format.</translation>
    </message>
    <message>
        <source>Error inesperado al leer %1.</source>
        <translation>Unexpected error while reading %1.</translation>
    </message>
    <message>
        <source>%1 es una tubería con nombre, no un archivo: no se lee ni se reemplaza.</source>
        <translation>%1 is a named pipe, not a file: it is neither read nor replaced.</translation>
    </message>
    <message>
        <source>%1 es un dispositivo, no un archivo: no se lee ni se reemplaza.</source>
        <translation>%1 is a device, not a file: it is neither read nor replaced.</translation>
    </message>
    <message>
        <source>%1 es una carpeta, no un archivo: no se lee ni se reemplaza.</source>
        <translation>%1 is a folder, not a file: it is neither read nor replaced.</translation>
    </message>
    <message>
        <source>%1 es un socket, no un archivo: no se lee ni se reemplaza.</source>
        <translation>%1 is a socket, not a file: it is neither read nor replaced.</translation>
    </message>
    <message>
        <source>%1 es algo que no es un archivo normal, no un archivo: no se lee ni se reemplaza.</source>
        <translation>%1 is not a regular file: it is neither read nor replaced.</translation>
    </message>
    <message>
        <source>El enlace %1 es de otro usuario y está en una carpeta que todos pueden escribir: no se sigue, porque podría llevar a un archivo que no es suyo. Bórrelo o elija otro nombre.</source>
        <translation>The link %1 belongs to another user and is in a folder everyone can write to: it is not followed, because it could lead to a file that is not yours. Delete it or choose another name.</translation>
    </message>
    <message>
        <source>El enlace %1 no lleva a ningún archivo.</source>
        <translation>The link %1 does not lead to any file.</translation>
    </message>
    <message>
        <source>El archivo es de solo lectura: %1.</source>
        <translation>The file is read-only: %1.</translation>
    </message>
    <message>
        <source>No hay memoria suficiente para abrir %1.</source>
        <translation>There is not enough memory to open %1.</translation>
    </message>
    <message>
        <source>No se puede escribir %1.</source>
        <translation>%1 cannot be written.</translation>
    </message>
    <message>
        <source>No se puede crear %1 (código de error %2).</source>
        <translation>%1 cannot be created (error code %2).</translation>
    </message>
    <message>
        <source>No queda espacio libre en el disco de %1.</source>
        <translation>There is no free space left on the disk of %1.</translation>
    </message>
    <message>
        <source>No tiene permiso para escribir en %1.</source>
        <translation>You do not have permission to write to %1.</translation>
    </message>
    <message>
        <source>El disco de %1 es de solo lectura.</source>
        <translation>The disk of %1 is read-only.</translation>
    </message>
    <message>
        <source>El archivo %1 está en uso por otro programa.</source>
        <translation>The file %1 is in use by another program.</translation>
    </message>
    <message>
        <source>El archivo %1 desapareció mientras se guardaba: otro programa lo movió o lo borró.</source>
        <translation>The file %1 disappeared while it was being saved: another program moved or deleted it.</translation>
    </message>
    <message>
        <source>La carpeta %1 no existe.</source>
        <translation>The folder %1 does not exist.</translation>
    </message>
    <message>
        <source>El disco de %1 no respondió bien (error de lectura o escritura).</source>
        <translation>The disk of %1 did not respond properly (read or write error).</translation>
    </message>
    <message>
        <source>El nombre %1 es demasiado largo.</source>
        <translation>The name %1 is too long.</translation>
    </message>
    <message>
        <source>El sistema no pudo escribir en %1 (código de error %2).</source>
        <translation>The system could not write to %1 (error code %2).</translation>
    </message>
    <message>
        <source>%1 no es un archivo: el mapa no se puede guardar con ese nombre.</source>
        <translation>%1 is not a file: the map cannot be saved under that name.</translation>
    </message>
    <message>
        <source>Ya existe %1, la copia de seguridad de un guardado anterior que no terminó. Compruebe que el mapa está bien, y borre esa copia o cámbiele el nombre antes de volver a guardar.</source>
        <translation>%1 already exists, the backup of an earlier save that did not finish. Check that the map is all right, and delete that copy or rename it before saving again.</translation>
    </message>
    <message>
        <source>No hay memoria suficiente para guardar el mapa.</source>
        <translation>There is not enough memory to save the map.</translation>
    </message>
    <message>
        <source>Otro programa lleva más de 30 segundos guardando %1. Espere a que termine y vuelva a guardar.</source>
        <translation>Another program has been saving %1 for more than 30 seconds. Wait until it finishes and save again.</translation>
    </message>
    <message>
        <source>- Error al guardar -</source>
        <translation>- Error while saving -</translation>
    </message>
    <message>
        <source>No quedan nombres libres para el archivo temporal en %1.</source>
        <translation>No free names are left for the temporary file in %1.</translation>
    </message>
    <message>
        <source>El mapa anterior quedó en %1.</source>
        <translation>The previous map was left in %1.</translation>
    </message>
</context>
</TS>
