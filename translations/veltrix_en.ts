<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="es">
<context>
    <name>CAbrirMapaDlg</name>
    <message>
        <source>Abrir mapa</source>
        <translation>Open map</translation>
    </message>
    <message>
        <source>Mapas disponibles en el sistema:</source>
        <translation>Maps available on the system:</translation>
    </message>
    <message>
        <source>Pais</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>Estado</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Población</source>
        <translation>Town</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1	No se puede abrir: %2</source>
        <translation>%1	Cannot be opened: %2</translation>
    </message>
</context>
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
    <message>
        <source>¿Esta seguro de eliminar la categoria y todas las marcas y rutas que pertenecen a ésta?</source>
        <translation>Are you sure you want to delete the category and all the businesses and routes that belong to it?</translation>
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
    <name>CFileCommands</name>
    <message>
        <source>es_MX</source>
        <translation>en_US</translation>
    </message>
    <message>
        <source>d &apos;de&apos; MMMM &apos;de&apos; yyyy &apos;a las&apos; HH:mm</source>
        <translation>MMMM d, yyyy &apos;at&apos; HH:mm</translation>
    </message>
    <message>
        <source>El mapa %1 ya está abierto en otro editor.
¿Desea abrirlo de solo lectura? Los cambios sólo se podrán guardar con otro nombre.</source>
        <translation>The map %1 is already open in another editor.
Do you want to open it read-only? The changes can only be saved under another name.</translation>
    </message>
    <message>
        <source>El mapa %1 ya está abierto en otro editor: usuario %2, equipo %3, proceso %4.
¿Desea abrirlo de solo lectura? Los cambios sólo se podrán guardar con otro nombre.</source>
        <translation>The map %1 is already open in another editor: user %2, computer %3, process %4.
Do you want to open it read-only? The changes can only be saved under another name.</translation>
    </message>
    <message>
        <source>El mapa %1 ya está abierto en otro editor: usuario %2, equipo %3, proceso %4, desde el %5.
¿Desea abrirlo de solo lectura? Los cambios sólo se podrán guardar con otro nombre.</source>
        <translation>The map %1 is already open in another editor: user %2, computer %3, process %4, since %5.
Do you want to open it read-only? The changes can only be saved under another name.</translation>
    </message>
    <message>
        <source>El mapa %1 tiene cambios que no se han guardado.
¿Desea guardar los cambios antes de continuar?</source>
        <translation>The map %1 has unsaved changes.
Do you want to save the changes before going on?</translation>
    </message>
    <message>
        <source>Abrir mapa</source>
        <translation>Open map</translation>
    </message>
    <message>
        <source>Mapas (*.map *.MAP);;Todos los archivos (*)</source>
        <translation>Maps (*.map *.MAP);;All files (*)</translation>
    </message>
    <message>
        <source>El mapa %1 ya no existe.
¿Desea quitarlo de la lista de mapas recientes?</source>
        <translation>The map %1 no longer exists.
Do you want to remove it from the list of recent maps?</translation>
    </message>
    <message>
        <source>Se encontró una copia de recuperación de %1 guardada el %2.
¿Desea recuperarla?</source>
        <translation>A recovery copy of %1 saved on %2 was found.
Do you want to recover it?</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>El archivo cambió en el disco desde que se abrió o se guardó aquí: otro programa escribió %1.
Si guarda ahora, ese cambio se perderá; si lo vuelve a abrir, se perderán los cambios hechos aquí.</source>
        <translation>The file changed on disk since it was opened or saved here: another program wrote %1.
If you save now, that change will be lost; if you open it again, the changes made here will be lost.</translation>
    </message>
    <message>
        <source>Guardar de todos modos</source>
        <translation>Save anyway</translation>
    </message>
    <message>
        <source>Volver a abrir</source>
        <translation>Open again</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>El archivo es de solo lectura: %1.
¿Desea reemplazarlo de todos modos? Seguirá siendo de solo lectura.</source>
        <translation>The file is read-only: %1.
Do you want to replace it anyway? It will stay read-only.</translation>
    </message>
    <message>
        <source>Guardar como</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>Mapas (*.map)</source>
        <translation>Maps (*.map)</translation>
    </message>
    <message>
        <source>Ya existe %1.
¿Desea reemplazarlo?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Se creó el mapa %1.</source>
        <translation>The map %1 was made.</translation>
    </message>
</context>
<context>
    <name>CGisExportDlg</name>
    <message>
        <source>Exportar datos geográficos</source>
        <translation>Export geographic data</translation>
    </message>
    <message>
        <source>&amp;Examinar...</source>
        <translation>&amp;Browse...</translation>
    </message>
    <message>
        <source>Se escriben todas las capas del mapa tal como se ve ahora: manzanas, etiquetas, calles, referencias, colonias, rutas, estaciones y negocios. GeoPackage y KML las guardan en un archivo; GeoJSON, Shapefile y CSV, en un archivo por capa (nombre-manzanas, nombre-calles...).</source>
        <translation>All the map&apos;s layers are written as the map looks now: blocks, labels, streets, landmarks, neighbourhoods, routes, stations and businesses. GeoPackage and KML keep them in one file; GeoJSON, Shapefile and CSV in one file per layer (name-manzanas, name-calles...).</translation>
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
        <source>&amp;Archivo:</source>
        <translation>&amp;File:</translation>
    </message>
    <message>
        <source>&amp;Formato:</source>
        <translation>F&amp;ormat:</translation>
    </message>
    <message>
        <source>Sistema de &amp;coordenadas:</source>
        <translation>&amp;Coordinate system:</translation>
    </message>
    <message>
        <source>%1 va en longitud y latitud, y el mapa no tiene georreferencia (%2): elija otro formato.</source>
        <translation>%1 is in longitude and latitude, and the map has no georeference (%2): choose another format.</translation>
    </message>
    <message>
        <source>El mapa no tiene georreferencia (%1): las capas quedan en unidades del mapa.</source>
        <translation>The map has no georeference (%1): the layers stay in map units.</translation>
    </message>
    <message>
        <source>%1 va siempre en longitud y latitud (EPSG:4326).</source>
        <translation>%1 is always in longitude and latitude (EPSG:4326).</translation>
    </message>
    <message>
        <source>el del mapa (%1)</source>
        <translation>the map&apos;s (%1)</translation>
    </message>
    <message>
        <source>Vacío: el sistema del mapa, de %1. Otro: EPSG:N.</source>
        <translation>Empty: the map&apos;s system, from %1. Another: EPSG:N.</translation>
    </message>
    <message>
        <source>Escriba el nombre del archivo que se escribe.</source>
        <translation>Type the name of the file to write.</translation>
    </message>
    <message>
        <source>El archivo debe terminar en .%1.</source>
        <translation>The file must end in .%1.</translation>
    </message>
    <message>
        <source>Ya existe %1.
¿Desea reemplazarlo?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Ya existen %1 y otros %2 archivos de esta exportación.
¿Desea reemplazarlos?</source>
        <translation>%1 and %2 other files of this export already exist.
Do you want to replace them?</translation>
    </message>
    <message>
        <source>%1
¿Desea reemplazarlo de todos modos? Conservará sus permisos.</source>
        <translation>%1
Do you want to replace it anyway? It will keep its permissions.</translation>
    </message>
    <message>
        <source>%1 Y otros %2 archivos de esta exportación.</source>
        <translation>%1 And %2 other files of this export.</translation>
    </message>
    <message>
        <source>Se escribió %1.</source>
        <translation>%1 was written.</translation>
    </message>
    <message>
        <source>Se escribieron %1 archivos en %2.</source>
        <translation>%1 files were written in %2.</translation>
    </message>
</context>
<context>
    <name>CGisImportDlg</name>
    <message>
        <source>Datos geográficos (*.osm *.pbf *.shp *.gpkg *.geojson *.json *.kml *.csv);;OpenStreetMap (*.osm *.osm.pbf);;Shapefile (*.shp);;GeoPackage (*.gpkg);;GeoJSON (*.geojson *.json);;KML (*.kml);;CSV (*.csv);;Todos los archivos (*)</source>
        <translation>Geographic data (*.osm *.pbf *.shp *.gpkg *.geojson *.json *.kml *.csv);;OpenStreetMap (*.osm *.osm.pbf);;Shapefile (*.shp);;GeoPackage (*.gpkg);;GeoJSON (*.geojson *.json);;KML (*.kml);;CSV (*.csv);;All files (*)</translation>
    </message>
    <message>
        <source>Importar datos geográficos</source>
        <translation>Import geographic data</translation>
    </message>
    <message>
        <source>&amp;Agregar...</source>
        <translation>&amp;Add...</translation>
    </message>
    <message>
        <source>&amp;Quitar</source>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>Ninguno: el uso de cada capa se elige en la tabla</source>
        <translation>None: each layer&apos;s use is chosen in the table</translation>
    </message>
    <message>
        <source>Otro archivo...</source>
        <translation>Another file...</translation>
    </message>
    <message>
        <source>de los datos</source>
        <translation>from the data</translation>
    </message>
    <message>
        <source>sólo para capas que no lo dicen, p. ej. EPSG:4326</source>
        <translation>only for layers that do not say, e.g. EPSG:4326</translation>
    </message>
    <message>
        <source>&amp;Examinar...</source>
        <translation>&amp;Browse...</translation>
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
        <source>&amp;Preajuste:</source>
        <translation>&amp;Preset:</translation>
    </message>
    <message>
        <source>Pa&amp;ís:</source>
        <translation>Co&amp;untry:</translation>
    </message>
    <message>
        <source>E&amp;stado:</source>
        <translation>S&amp;tate:</translation>
    </message>
    <message>
        <source>&amp;Ciudad:</source>
        <translation>T&amp;own:</translation>
    </message>
    <message>
        <source>Sistema de &amp;coordenadas:</source>
        <translation>&amp;Coordinate system:</translation>
    </message>
    <message>
        <source>&amp;Mapa nuevo:</source>
        <translation>&amp;New map:</translation>
    </message>
    <message>
        <source>&amp;Fuentes de datos:</source>
        <translation>&amp;Data sources:</translation>
    </message>
    <message>
        <source>Ca&amp;pas y su uso:</source>
        <translation>&amp;Layers and their use:</translation>
    </message>
    <message>
        <source>Fuentes de datos geográficos</source>
        <translation>Geographic data sources</translation>
    </message>
    <message>
        <source>Preajuste</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Preajustes (*.json);;Todos los archivos (*)</source>
        <translation>Presets (*.json);;All files (*)</translation>
    </message>
    <message>
        <source>Mapa nuevo</source>
        <translation>New map</translation>
    </message>
    <message>
        <source>Mapas (*.map)</source>
        <translation>Maps (*.map)</translation>
    </message>
    <message>
        <source>Sin sistema de coordenadas: %1. Escríbalo arriba (por ejemplo EPSG:4326, longitud y latitud).</source>
        <translation>No coordinate system: %1. Type it above (for example EPSG:4326, longitude and latitude).</translation>
    </message>
    <message>
        <source>Agregue al menos una fuente de datos.</source>
        <translation>Add at least one data source.</translation>
    </message>
    <message>
        <source>Elija el campo del nombre de %1.</source>
        <translation>Choose the name field of %1.</translation>
    </message>
    <message>
        <source>%1 no dice su sistema de coordenadas: escríbalo en «Sistema de coordenadas» (por ejemplo EPSG:4326 para longitud y latitud).</source>
        <translation>%1 does not say its coordinate system: type it in “Coordinate system” (for example EPSG:4326 for longitude and latitude).</translation>
    </message>
    <message>
        <source>Escriba el nombre del mapa nuevo.</source>
        <translation>Type the name of the new map.</translation>
    </message>
    <message>
        <source>El mapa nuevo debe terminar en .map.</source>
        <translation>The new map must end in .map.</translation>
    </message>
    <message>
        <source>El mapa %1 está abierto en otro editor: no se puede guardar con ese nombre.</source>
        <translation>The map %1 is open in another editor: it cannot be saved under that name.</translation>
    </message>
    <message>
        <source>Ya existe %1.
¿Desea reemplazarlo?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
    <message>
        <source>Se canceló la importación: no se creó ningún mapa.</source>
        <translation>The import was cancelled: no map was made.</translation>
    </message>
    <message>
        <source>Una capa no dice su sistema de coordenadas: escríbalo en «Sistema de coordenadas» (por ejemplo EPSG:4326).</source>
        <translation>A layer does not say its coordinate system: type it in “Coordinate system” (for example EPSG:4326).</translation>
    </message>
    <message>
        <source>Importando datos geográficos...</source>
        <translation>Importing geographic data...</translation>
    </message>
    <message>
        <source>Cancelando...</source>
        <translation>Cancelling...</translation>
    </message>
    <message>
        <source>Guardando el mapa...</source>
        <translation>Saving the map...</translation>
    </message>
</context>
<context>
    <name>CGisLayerTable</name>
    <message>
        <source>Manzanas</source>
        <translation>Blocks</translation>
    </message>
    <message>
        <source>Áreas</source>
        <translation>Areas</translation>
    </message>
    <message>
        <source>Calles</source>
        <translation>Streets</translation>
    </message>
    <message>
        <source>Etiquetas</source>
        <translation>Labels</translation>
    </message>
    <message>
        <source>Referencias</source>
        <translation>Landmarks</translation>
    </message>
    <message>
        <source>Colonias</source>
        <translation>Neighbourhoods</translation>
    </message>
    <message>
        <source>Negocios</source>
        <translation>Businesses</translation>
    </message>
    <message>
        <source>Rutas</source>
        <translation>Routes</translation>
    </message>
    <message>
        <source>Paradas</source>
        <translation>Stops</translation>
    </message>
    <message>
        <source>Localidad</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>contando…</source>
        <translation>counting…</translation>
    </message>
    <message>
        <source>Fuente</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Capa</source>
        <translation>Layer</translation>
    </message>
    <message>
        <source>Geometría</source>
        <translation>Geometry</translation>
    </message>
    <message>
        <source>Elementos</source>
        <translation>Features</translation>
    </message>
    <message>
        <source>Sistema de coordenadas</source>
        <translation>Coordinate system</translation>
    </message>
    <message>
        <source>Uso</source>
        <translation>Use</translation>
    </message>
    <message>
        <source>Campo del nombre</source>
        <translation>Name field</translation>
    </message>
    <message>
        <source>no lo dice</source>
        <translation>not given</translation>
    </message>
    <message>
        <source>Preajuste: %1</source>
        <translation>Preset: %1</translation>
    </message>
    <message>
        <source>No usar</source>
        <translation>Do not use</translation>
    </message>
    <message>
        <source>«%1» de %2</source>
        <translation>“%1” of %2</translation>
    </message>
    <message>
        <source>(ninguno)</source>
        <translation>(none)</translation>
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
    <name>CGuideWnd</name>
    <message>
        <source>El mapa no tiene imagen.</source>
        <translation>The map has no picture.</translation>
    </message>
    <message>
        <source>No se pudo mostrar la imagen del mapa.</source>
        <translation>The map&apos;s picture could not be shown.</translation>
    </message>
    <message>
        <source>No se pudo mostrar la imagen del mapa.
%1</source>
        <translation>The map&apos;s picture could not be shown.
%1</translation>
    </message>
</context>
<context>
    <name>CHelpWnd</name>
    <message>
        <source>Ayuda de Veltrix</source>
        <translation>Veltrix Help</translation>
    </message>
    <message>
        <source>&amp;Contenido</source>
        <translation>&amp;Contents</translation>
    </message>
    <message>
        <source>&amp;Atrás</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>A&amp;delante</source>
        <translation>&amp;Forward</translation>
    </message>
    <message>
        <source>Cerrar</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>es_MX</source>
        <translation>en_US</translation>
    </message>
</context>
<context>
    <name>CInfoMapaDlg</name>
    <message>
        <source>Num. de manzanas:</source>
        <translation>No. of blocks:</translation>
    </message>
    <message>
        <source>Num. de nombres de calles:</source>
        <translation>No. of street names:</translation>
    </message>
    <message>
        <source>Num. de calles trazadas:</source>
        <translation>No. of traced streets:</translation>
    </message>
    <message>
        <source>Num. de referencias:</source>
        <translation>No. of landmarks:</translation>
    </message>
    <message>
        <source>Propiedades</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
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
    <message>
        <source>No se pudo guardar la copia de recuperación: %1</source>
        <translation>The recovery copy could not be saved: %1</translation>
    </message>
    <message>
        <source>%1 (solo lectura)</source>
        <translation>%1 (read-only)</translation>
    </message>
    <message>
        <source>Imagen PNG (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>Documento PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Exportar vista</source>
        <translation>Export view</translation>
    </message>
</context>
<context>
    <name>CMainStatusBar</name>
    <message>
        <source>Preparado</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>MAY</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>DESP</source>
        <translation>SCRL</translation>
    </message>
</context>
<context>
    <name>CMapDocument</name>
    <message>
        <source>El mapa %1 ya está abierto en otro editor.</source>
        <translation>The map %1 is already open in another editor.</translation>
    </message>
    <message>
        <source>El mapa no tiene nombre.</source>
        <translation>The map has no name.</translation>
    </message>
    <message>
        <source>El mapa %1 está abierto en otro editor: guárdelo con otro nombre.</source>
        <translation>The map %1 is open in another editor: save it under another name.</translation>
    </message>
    <message>
        <source>El mapa %1 está abierto en otro editor: no se puede guardar con ese nombre.</source>
        <translation>The map %1 is open in another editor: it cannot be saved under that name.</translation>
    </message>
    <message>
        <source>No hay ninguna copia de recuperación de %1.</source>
        <translation>There is no recovery copy of %1.</translation>
    </message>
</context>
<context>
    <name>CMapPrinter</name>
    <message>
        <source>No se pudo empezar a imprimir.</source>
        <translation>Printing could not start.</translation>
    </message>
    <message>
        <source>La página es demasiado pequeña para el mapa.</source>
        <translation>The page is too small for the map.</translation>
    </message>
    <message>
        <source>No se pudo terminar la impresión.</source>
        <translation>Printing could not be finished.</translation>
    </message>
    <message>
        <source>No se pudo copiar el mapa al portapapeles.</source>
        <translation>The map could not be copied to the clipboard.</translation>
    </message>
    <message>
        <source>Copiado al portapapeles</source>
        <translation>Copied to the clipboard</translation>
    </message>
</context>
<context>
    <name>CMapaApp</name>
    <message>
        <source>Mapa que se abre al arrancar.</source>
        <translation>Map opened at start-up.</translation>
    </message>
    <message>
        <source>MAPA</source>
        <translation>MAP</translation>
    </message>
    <message>
        <source>Arranca sin la pantalla de presentación.</source>
        <translation>Starts without the splash screen.</translation>
    </message>
    <message>
        <source>Muestra esta ayuda y termina.</source>
        <translation>Shows this help and exits.</translation>
    </message>
    <message>
        <source>Muestra la versión y termina.</source>
        <translation>Shows the version and exits.</translation>
    </message>
    <message>
        <source>Uso: veltrix [--no-splash] [MAPA]</source>
        <translation>Usage: veltrix [--no-splash] [MAP]</translation>
    </message>
    <message>
        <source>Editor de mapas de calles.

Uso: veltrix [--no-splash] [MAPA]
     veltrix --help | --version

</source>
        <translation>Street map editor.

Usage: veltrix [--no-splash] [MAP]
       veltrix --help | --version

</translation>
    </message>
    <message>
        <source>Sobran argumentos.</source>
        <translation>Too many arguments.</translation>
    </message>
</context>
<context>
    <name>CMapaWnd</name>
    <message>
        <source>Asignar zona</source>
        <translation>Assign zone</translation>
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
    <message>
        <source>Edición nombre</source>
        <translation>Edit name</translation>
    </message>
    <message>
        <source>Nombre:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Nueva ruta</source>
        <translation>New route</translation>
    </message>
    <message>
        <source>Escriba un nombre para la ruta:</source>
        <translation>Type a name for the route:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Nueva categoria</source>
        <translation>New category</translation>
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
    <name>CRecoveryStore</name>
    <message>
        <source>No se puede crear la carpeta %1.</source>
        <translation>The folder %1 cannot be made.</translation>
    </message>
    <message>
        <source>No se puede escribir %1.</source>
        <translation>%1 cannot be written.</translation>
    </message>
    <message>
        <source>La copia de recuperación de %1 está dañada y no se puede abrir: %2
Se ha dejado aparte, en %3.</source>
        <translation>The recovery copy of %1 is damaged and cannot be opened: %2
It has been set aside, as %3.</translation>
    </message>
    <message>
        <source>La copia de recuperación de %1 está dañada y no se puede abrir: %2
No se pudo dejar aparte: sigue en %3.</source>
        <translation>The recovery copy of %1 is damaged and cannot be opened: %2
It could not be set aside: it is still at %3.</translation>
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
    <name>FileDialog</name>
    <message>
        <source>Guardar en:</source>
        <translation>Save in:</translation>
    </message>
    <message>
        <source>Buscar en:</source>
        <translation>Look in:</translation>
    </message>
    <message>
        <source>Nombre:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Tipo:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>Guardar</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Abrir</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Georeference</name>
    <message>
        <source>No se puede leer la georreferencia %1.</source>
        <translation>Cannot read the georeference %1.</translation>
    </message>
    <message>
        <source>La georreferencia %1 no es un sistema de coordenadas válido.</source>
        <translation>The georeference %1 is not a valid coordinate system.</translation>
    </message>
    <message>
        <source>«%1» no es un código de sistema de coordenadas: escríbalo como EPSG:N, con N solo de cifras (por ejemplo EPSG:4326).</source>
        <translation>“%1” is not a coordinate system code: write it as EPSG:N, with N made only of digits (for example EPSG:4326).</translation>
    </message>
    <message>
        <source>«%1» no es un sistema de coordenadas conocido.</source>
        <translation>“%1” is not a known coordinate system.</translation>
    </message>
    <message>
        <source>No se puede escribir la georreferencia %1.</source>
        <translation>Cannot write the georeference %1.</translation>
    </message>
    <message>
        <source>No se pudo guardar la georreferencia %1.</source>
        <translation>Could not save the georeference %1.</translation>
    </message>
</context>
<context>
    <name>GisExport</name>
    <message>
        <source>No se cambió ningún archivo.</source>
        <translation>No file was changed.</translation>
    </message>
    <message>
        <source>Lo anterior quedó en %1.</source>
        <translation>The previous files were left in %1.</translation>
    </message>
    <message>
        <source>La georreferencia del mapa no es válida.</source>
        <translation>The map&apos;s georeference is not valid.</translation>
    </message>
    <message>
        <source>Aviso: %1 siempre va en longitud y latitud (EPSG:4326).</source>
        <translation>Warning: %1 is always in longitude and latitude (EPSG:4326).</translation>
    </message>
    <message>
        <source>«%1» no es un sistema de coordenadas conocido.</source>
        <translation>“%1” is not a known coordinate system.</translation>
    </message>
    <message>
        <source>El mapa no tiene georreferencia: no se puede pasar a %1.</source>
        <translation>The map has no georeference: it cannot be converted to %1.</translation>
    </message>
    <message>
        <source>%1 va en longitud y latitud, y el mapa no tiene georreferencia.</source>
        <translation>%1 is in longitude and latitude, and the map has no georeference.</translation>
    </message>
    <message>
        <source>Aviso: el mapa no tiene georreferencia; las coordenadas quedan en unidades del mapa.</source>
        <translation>Warning: the map has no georeference; the coordinates stay in map units.</translation>
    </message>
    <message>
        <source>No se pueden pasar las coordenadas del mapa a %1.</source>
        <translation>The map&apos;s coordinates cannot be converted to %1.</translation>
    </message>
    <message>
        <source>No se pudo crear %1</source>
        <translation>Could not create %1</translation>
    </message>
    <message>
        <source>No se pudo escribir %1</source>
        <translation>Could not write %1</translation>
    </message>
    <message>
        <source>No se pudo escribir la capa %1 en %2</source>
        <translation>Could not write the layer %1 in %2</translation>
    </message>
    <message>
        <source>No se pudo pasar a %1 un elemento de la capa %2.</source>
        <translation>A feature of the layer %2 could not be converted to %1.</translation>
    </message>
    <message>
        <source>No se puede escribir en la carpeta %1.</source>
        <translation>Cannot write in the folder %1.</translation>
    </message>
    <message>
        <source>No se pudo apartar %1</source>
        <translation>Could not move %1 aside</translation>
    </message>
    <message>
        <source>No se pudo poner %1 en su sitio</source>
        <translation>Could not put %1 in its place</translation>
    </message>
    <message>
        <source>No se sabe escribir %1: use .%2 o .%3.</source>
        <translation>Cannot tell how to write %1: use .%2 or .%3.</translation>
    </message>
    <message>
        <source>Esta instalación de GDAL no escribe %1.</source>
        <translation>This GDAL installation does not write %1.</translation>
    </message>
</context>
<context>
    <name>GisImport</name>
    <message>
        <source>Las calles de las fuentes no encierran ninguna manzana.</source>
        <translation>The streets in the sources do not enclose any block.</translation>
    </message>
    <message>
        <source>Ningún polígono de las fuentes sirve de manzana.</source>
        <translation>No polygon in the sources can be used as a block.</translation>
    </message>
    <message>
        <source>No se puede leer el archivo %1.</source>
        <translation>Cannot read the file %1.</translation>
    </message>
    <message>
        <source>%1 no está en ningún formato geográfico conocido.</source>
        <translation>%1 is not in any known geographic format.</translation>
    </message>
    <message>
        <source>No se puede leer %1 como %2</source>
        <translation>Cannot read %1 as %2</translation>
    </message>
    <message>
        <source>Las fuentes no tienen polígonos de manzanas ni líneas de calles de donde sacarlas.</source>
        <translation>The sources have neither block polygons nor street lines to make blocks from.</translation>
    </message>
    <message>
        <source>«%1» no es un área lon0,lat0,lon1,lat1 en grados.</source>
        <translation>“%1” is not an area lon0,lat0,lon1,lat1 in degrees.</translation>
    </message>
    <message>
        <source>«%1» no está en los datos como lugar: el mapa abarca todas las fuentes.</source>
        <translation>“%1” is not a place in the data: the map covers all the sources.</translation>
    </message>
    <message>
        <source>El sistema de coordenadas de las fuentes no tiene datum.</source>
        <translation>The sources&apos; coordinate system has no datum.</translation>
    </message>
    <message>
        <source>No se pueden pasar las coordenadas de %1 a longitud y latitud.</source>
        <translation>The coordinates of %1 cannot be converted to longitude and latitude.</translation>
    </message>
    <message>
        <source>Las coordenadas de las fuentes no están en la Tierra.</source>
        <translation>The sources&apos; coordinates are not on the Earth.</translation>
    </message>
    <message>
        <source>El límite del pueblo no se puede proyectar.</source>
        <translation>The town boundary cannot be projected.</translation>
    </message>
    <message>
        <source>El área del pueblo no se puede proyectar.</source>
        <translation>The town area cannot be projected.</translation>
    </message>
    <message>
        <source>Recortado al área %1.</source>
        <translation>Cut to the area %1.</translation>
    </message>
    <message>
        <source>Recortado al límite de %1.</source>
        <translation>Cut to the boundary of %1.</translation>
    </message>
    <message>
        <source>Recortado a %1 m alrededor de %2.</source>
        <translation>Cut to %1 m around %2.</translation>
    </message>
    <message>
        <source>No se pudo escribir la georreferencia del mapa.</source>
        <translation>Could not write the map&apos;s georeference.</translation>
    </message>
    <message>
        <source>No se indicó ninguna fuente de datos.</source>
        <translation>No data source was given.</translation>
    </message>
    <message>
        <source>Importación cancelada.</source>
        <translation>Import cancelled.</translation>
    </message>
    <message>
        <source>En la capa %1 falta el campo %2 que pide el preajuste «%3».</source>
        <translation>The layer %1 lacks the field %2 that the preset “%3” asks for.</translation>
    </message>
    <message>
        <source>En la capa %1 falta el campo %2 (o %3) que pide el preajuste «%4».</source>
        <translation>The layer %1 lacks the field %2 (or %3) that the preset “%4” asks for.</translation>
    </message>
    <message>
        <source>«%1» de %2</source>
        <translation>“%1” of %2</translation>
    </message>
    <message>
        <source>La capa %1 no tiene geometría.</source>
        <translation>The layer %1 has no geometry.</translation>
    </message>
    <message>
        <source>La capa %1 no dice su sistema de coordenadas: indíquelo con --crs EPSG:N.</source>
        <translation>The layer %1 does not say its coordinate system: give it with --crs EPSG:N.</translation>
    </message>
    <message>
        <source>«%1» no es un sistema de coordenadas conocido.</source>
        <translation>“%1” is not a known coordinate system.</translation>
    </message>
    <message>
        <source>%1 está dañado: %2</source>
        <translation>%1 is damaged: %2</translation>
    </message>
    <message>
        <source>No se pudo crear la imagen del mapa.</source>
        <translation>Could not make the map&apos;s picture.</translation>
    </message>
    <message>
        <source>%1: %2, %3, %4, %5, %6, %7 en %8, %9 con %10.</source>
        <translation>%1: %2, %3, %4, %5, %6, %7 in %8, %9 with %10.</translation>
    </message>
    <message>
        <source>%1 manzana</source>
        <translation>%1 block</translation>
    </message>
    <message>
        <source>%1 manzanas</source>
        <translation>%1 blocks</translation>
    </message>
    <message>
        <source>%1 calle trazada</source>
        <translation>%1 traced street</translation>
    </message>
    <message>
        <source>%1 calles trazadas</source>
        <translation>%1 traced streets</translation>
    </message>
    <message>
        <source>%1 etiqueta</source>
        <translation>%1 label</translation>
    </message>
    <message>
        <source>%1 etiquetas</source>
        <translation>%1 labels</translation>
    </message>
    <message>
        <source>%1 referencia</source>
        <translation>%1 landmark</translation>
    </message>
    <message>
        <source>%1 referencias</source>
        <translation>%1 landmarks</translation>
    </message>
    <message>
        <source>%1 colonia</source>
        <translation>%1 neighbourhood</translation>
    </message>
    <message>
        <source>%1 colonias</source>
        <translation>%1 neighbourhoods</translation>
    </message>
    <message>
        <source>%1 negocio</source>
        <translation>%1 business</translation>
    </message>
    <message>
        <source>%1 negocios</source>
        <translation>%1 businesses</translation>
    </message>
    <message>
        <source>%1 categoría</source>
        <translation>%1 category</translation>
    </message>
    <message>
        <source>%1 categorías</source>
        <translation>%1 categories</translation>
    </message>
    <message>
        <source>%1 ruta</source>
        <translation>%1 route</translation>
    </message>
    <message>
        <source>%1 rutas</source>
        <translation>%1 routes</translation>
    </message>
    <message>
        <source>%1 estación</source>
        <translation>%1 station</translation>
    </message>
    <message>
        <source>%1 estaciones</source>
        <translation>%1 stations</translation>
    </message>
    <message>
        <source>Ciudad: %1 (%2)</source>
        <translation>Town: %1 (%2)</translation>
    </message>
    <message>
        <source>Aviso: %1</source>
        <translation>Warning: %1</translation>
    </message>
    <message>
        <source>Aviso: %1 polígonos no válidos reparados.</source>
        <translation>Warning: %1 invalid polygons repaired.</translation>
    </message>
    <message>
        <source>Aviso: %1 polígonos que no sirven de manzana, descartados.</source>
        <translation>Warning: %1 polygons that cannot be blocks, left out.</translation>
    </message>
    <message>
        <source>Aviso: %1 huecos entre calles demasiado pequeños para ser manzana.</source>
        <translation>Warning: %1 gaps between streets too small to be a block.</translation>
    </message>
    <message>
        <source>Aviso: %1 áreas entre calles demasiado grandes para ser manzana.</source>
        <translation>Warning: %1 areas between streets too large to be a block.</translation>
    </message>
    <message>
        <source>Aviso: %1 áreas entre calles recortadas a la tierra construida.</source>
        <translation>Warning: %1 areas between streets cut down to their built land.</translation>
    </message>
    <message>
        <source>Aviso: %1 áreas entre calles sin nada construido, descartadas.</source>
        <translation>Warning: %1 areas between streets with nothing built, left out.</translation>
    </message>
    <message>
        <source>Aviso: %1 elementos lejos del pueblo o fuera del alcance del mapa, descartados.</source>
        <translation>Warning: %1 features far from the town or beyond the map&apos;s range, left out.</translation>
    </message>
    <message>
        <source>Aviso: %1 elementos sin nombre, descartados.</source>
        <translation>Warning: %1 features without a name, left out.</translation>
    </message>
    <message>
        <source>Aviso: %1 tramos cortos de rutas que ninguna calle une al resto, descartados.</source>
        <translation>Warning: %1 short pieces of routes that no street joins to the rest, left out.</translation>
    </message>
    <message>
        <source>Aviso: rutas partidas en varias porque ninguna calle une sus tramos: %1.</source>
        <translation>Warning: routes split into several because no street joins their pieces: %1.</translation>
    </message>
    <message>
        <source>Capas sin usar: %1.</source>
        <translation>Unused layers: %1.</translation>
    </message>
    <message>
        <source>No se pudieron cruzar las líneas de las calles: %1</source>
        <translation>The street lines could not be crossed: %1</translation>
    </message>
    <message>
        <source>No se pudieron formar las manzanas con las calles: %1</source>
        <translation>The blocks could not be formed from the streets: %1</translation>
    </message>
    <message>
        <source>No se puede leer el límite del pueblo %1.</source>
        <translation>Cannot read the town boundary %1.</translation>
    </message>
    <message>
        <source>%1 no tiene ningún polígono que sirva de límite del pueblo.</source>
        <translation>%1 has no polygon that can be the town boundary.</translation>
    </message>
    <message>
        <source>El límite del pueblo %1 no dice su sistema de coordenadas.</source>
        <translation>The town boundary %1 does not say its coordinate system.</translation>
    </message>
    <message>
        <source>Los polígonos de %1 no forman un límite.</source>
        <translation>The polygons of %1 do not form a boundary.</translation>
    </message>
    <message>
        <source>El estado no está en los datos: se usa «%1».</source>
        <translation>The state is not in the data: “%1” is used.</translation>
    </message>
    <message>
        <source>El país no está en los datos: se usa «%1».</source>
        <translation>The country is not in the data: “%1” is used.</translation>
    </message>
</context>
<context>
    <name>GisSource</name>
    <message>
        <source>puntos</source>
        <translation>points</translation>
    </message>
    <message>
        <source>líneas</source>
        <translation>lines</translation>
    </message>
    <message>
        <source>relaciones de líneas</source>
        <translation>line relations</translation>
    </message>
    <message>
        <source>áreas</source>
        <translation>areas</translation>
    </message>
    <message>
        <source>relaciones</source>
        <translation>relations</translation>
    </message>
    <message>
        <source>sin geometría</source>
        <translation>no geometry</translation>
    </message>
    <message>
        <source>polígonos</source>
        <translation>polygons</translation>
    </message>
    <message>
        <source>mixta</source>
        <translation>mixed</translation>
    </message>
</context>
<context>
    <name>Guide</name>
    <message>
        <source>Sin categoría</source>
        <translation>No category</translation>
    </message>
    <message>
        <source>Tel. %1</source>
        <translation>Tel. %1</translation>
    </message>
    <message>
        <source>fuera del plano</source>
        <translation>off the map</translation>
    </message>
    <message>
        <source>La escala debe estar entre 1 y 20.</source>
        <translation>The scale must be between 1 and 20.</translation>
    </message>
    <message>
        <source>El mapa no tiene manzanas: no hay plano que imprimir.</source>
        <translation>The map has no blocks: there is no map to print.</translation>
    </message>
    <message>
        <source>El papel es demasiado pequeño para el plano.</source>
        <translation>The paper is too small for the map.</translation>
    </message>
    <message>
        <source>A esa escala el plano necesitaría demasiadas páginas.</source>
        <translation>At that scale the map would need too many pages.</translation>
    </message>
    <message>
        <source>No se pudo guardar la guía en %1.</source>
        <translation>The guide could not be saved as %1.</translation>
    </message>
    <message>
        <source>Plano de la ciudad</source>
        <translation>Town map</translation>
    </message>
    <message>
        <source>Página %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>Guía de calles</source>
        <translation>Street guide</translation>
    </message>
    <message>
        <source>es_MX</source>
        <translation>en_US</translation>
    </message>
    <message>
        <source>Impreso el %1</source>
        <translation>Printed on %1</translation>
    </message>
    <message>
        <source>d &apos;de&apos; MMMM &apos;de&apos; yyyy</source>
        <translation>MMMM d, yyyy</translation>
    </message>
    <message>
        <source>%1 · Plano de conjunto</source>
        <translation>%1 · Key map</translation>
    </message>
    <message>
        <source>%1 · Escala 1:%2</source>
        <translation>%1 · Scale 1:%2</translation>
    </message>
    <message>
        <source>Continúa en la página %1</source>
        <translation>Continued on page %1</translation>
    </message>
    <message>
        <source>Índice de calles</source>
        <translation>Street index</translation>
    </message>
    <message>
        <source>Directorio</source>
        <translation>Directory</translation>
    </message>
    <message>
        <source>Referencias</source>
        <translation>Landmarks</translation>
    </message>
    <message>
        <source>Colonias</source>
        <translation>Neighbourhoods</translation>
    </message>
    <message>
        <source>%1 · Guía de calles</source>
        <translation>%1 · Street guide</translation>
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
    <name>Picture</name>
    <message>
        <source>Formato BMP no admitido: la cabecera de %1 bytes es de una versión antigua.</source>
        <translation>BMP format not supported: the %1-byte header is from an old version.</translation>
    </message>
    <message>
        <source>Profundidad de color no admitida: %1 bits por píxel.</source>
        <translation>Colour depth not supported: %1 bits per pixel.</translation>
    </message>
    <message>
        <source>El archivo BMP indica un tamaño de imagen imposible: %1 x %2 píxeles.</source>
        <translation>The BMP file gives an impossible picture size: %1 x %2 pixels.</translation>
    </message>
    <message>
        <source>No se puede abrir el archivo GIF:
%1</source>
        <translation>Cannot open the GIF file:
%1</translation>
    </message>
    <message>
        <source>El archivo no es una imagen GIF válida.</source>
        <translation>The file is not a valid GIF picture.</translation>
    </message>
    <message>
        <source>El archivo GIF indica un tamaño de imagen imposible: %1 x %2 píxeles.</source>
        <translation>The GIF file gives an impossible picture size: %1 x %2 pixels.</translation>
    </message>
    <message>
        <source>El archivo GIF está dañado.</source>
        <translation>The GIF file is damaged.</translation>
    </message>
    <message>
        <source>No existe el archivo %1</source>
        <translation>The file %1 does not exist</translation>
    </message>
    <message>
        <source>No se abren imágenes de este tipo: %1</source>
        <translation>Pictures of this kind are not opened: %1</translation>
    </message>
    <message>
        <source>No hay memoria suficiente para la imagen.</source>
        <translation>There is not enough memory for the picture.</translation>
    </message>
    <message>
        <source>El GIF tiene demasiadas imágenes: con %1 ya pasa de %2 MiB.</source>
        <translation>The GIF has too many frames: with %1 it is already over %2 MiB.</translation>
    </message>
    <message>
        <source>No hay nada que capturar.</source>
        <translation>There is nothing to capture.</translation>
    </message>
    <message>
        <source>No se pudo capturar la ventana.</source>
        <translation>Could not capture the window.</translation>
    </message>
    <message>
        <source>El archivo JPEG está dañado o no es una imagen JPEG.</source>
        <translation>The JPEG file is damaged or is not a JPEG picture.</translation>
    </message>
    <message>
        <source>La imagen mide %1 x %2 píxeles: no se puede abrir (el máximo es %3 x %3 píxeles y %4 MiB).</source>
        <translation>The picture is %1 x %2 pixels: it cannot be opened (the largest is %3 x %3 pixels and %4 MiB).</translation>
    </message>
</context>
<context>
    <name>Preset</name>
    <message>
        <source>No se puede leer el preajuste «%1»: no es uno de los incluidos (%2) ni un archivo que se pueda abrir.</source>
        <translation>Cannot read the preset “%1”: it is neither one of the built-in ones (%2) nor a file that can be opened.</translation>
    </message>
    <message>
        <source>El preajuste «%1» es demasiado grande.</source>
        <translation>The preset “%1” is too large.</translation>
    </message>
    <message>
        <source>El preajuste «%1» no es JSON válido: %2 (posición %3).</source>
        <translation>The preset “%1” is not valid JSON: %2 (position %3).</translation>
    </message>
    <message>
        <source>debe ser un objeto JSON</source>
        <translation>it must be a JSON object</translation>
    </message>
    <message>
        <source>El preajuste «%1» no es válido: %2.</source>
        <translation>The preset “%1” is not valid: %2.</translation>
    </message>
    <message>
        <source>clave desconocida «%1» %2</source>
        <translation>unknown key “%1” %2</translation>
    </message>
    <message>
        <source>«%1» %2 debe ser un texto</source>
        <translation>“%1” %2 must be a string</translation>
    </message>
    <message>
        <source>%1 debe ser un texto o una lista de textos</source>
        <translation>%1 must be a string or a list of strings</translation>
    </message>
    <message>
        <source>%1 debe ser una lista de textos</source>
        <translation>%1 must be a list of strings</translation>
    </message>
    <message>
        <source>«%1» %2 debe ser un número mayor que cero</source>
        <translation>“%1” %2 must be a number greater than zero</translation>
    </message>
    <message>
        <source>en el nivel superior</source>
        <translation>at the top level</translation>
    </message>
    <message>
        <source>«blocks» debe ser un objeto</source>
        <translation>“blocks” must be an object</translation>
    </message>
    <message>
        <source>en «blocks»</source>
        <translation>in “blocks”</translation>
    </message>
    <message>
        <source>«from_streets» debe ser true o false</source>
        <translation>“from_streets” must be true or false</translation>
    </message>
    <message>
        <source>«min_area_m2» debe ser menor que «max_area_m2»</source>
        <translation>“min_area_m2” must be less than “max_area_m2”</translation>
    </message>
    <message>
        <source>«%1» debe ser un objeto</source>
        <translation>“%1” must be an object</translation>
    </message>
    <message>
        <source>en «%1»</source>
        <translation>in “%1”</translation>
    </message>
    <message>
        <source>«colors» debe ser un objeto</source>
        <translation>“colors” must be an object</translation>
    </message>
    <message>
        <source>el color «%1» debe escribirse como &quot;#rrggbb&quot;</source>
        <translation>the colour “%1” must be written as &quot;#rrggbb&quot;</translation>
    </message>
    <message>
        <source>«detect» debe ser un objeto</source>
        <translation>“detect” must be an object</translation>
    </message>
    <message>
        <source>en «detect»</source>
        <translation>in “detect”</translation>
    </message>
    <message>
        <source>falta la lista de reglas («rules»)</source>
        <translation>the list of rules (“rules”) is missing</translation>
    </message>
    <message>
        <source>«open_options» debe ser un objeto</source>
        <translation>“open_options” must be an object</translation>
    </message>
    <message>
        <source>la opción «%1» debe tener la forma NOMBRE=VALOR</source>
        <translation>the option “%1” must have the form NAME=VALUE</translation>
    </message>
    <message>
        <source>«preset:%1» debe nombrar un archivo junto al preajuste</source>
        <translation>“preset:%1” must name a file next to the preset</translation>
    </message>
    <message>
        <source>no se puede leer el archivo «%1» que nombra</source>
        <translation>the file “%1” it names cannot be read</translation>
    </message>
    <message>
        <source>la plantilla «%1» %2 no nombra ningún campo</source>
        <translation>the template “%1” %2 names no field</translation>
    </message>
    <message>
        <source>«%1» %2 no nombra ningún campo</source>
        <translation>“%1” %2 names no field</translation>
    </message>
    <message>
        <source>«%1» %2 debe ser un nombre de campo o un objeto</source>
        <translation>“%1” %2 must be a field name or an object</translation>
    </message>
    <message>
        <source>en «%1» %2</source>
        <translation>in “%1” %2</translation>
    </message>
    <message>
        <source>falta «field» %1</source>
        <translation>“field” is missing %1</translation>
    </message>
    <message>
        <source>«match» %1 debe ser exact, prefix o contains</source>
        <translation>“match” %1 must be exact, prefix or contains</translation>
    </message>
    <message>
        <source>«map» %1 debe ser un objeto</source>
        <translation>“map” %1 must be an object</translation>
    </message>
    <message>
        <source>el valor de «%1» %2 debe ser un texto o un entero</source>
        <translation>the value of “%1” %2 must be a string or an integer</translation>
    </message>
    <message>
        <source>«other» %1 debe ser un texto o un entero</source>
        <translation>“other” %1 must be a string or an integer</translation>
    </message>
    <message>
        <source>«optional» %1 debe ser true o false</source>
        <translation>“optional” %1 must be true or false</translation>
    </message>
    <message>
        <source>el tipo de manzana «%1» %2 no está entre 1 y 6</source>
        <translation>the block type “%1” %2 is not between 1 and 6</translation>
    </message>
    <message>
        <source>una condición %1 no nombra ningún campo</source>
        <translation>a condition %1 names no field</translation>
    </message>
    <message>
        <source>la condición «%1» %2</source>
        <translation>the condition “%1” %2</translation>
    </message>
    <message>
        <source>%1 solo admite {&quot;not&quot;: ...}</source>
        <translation>%1 only accepts {&quot;not&quot;: ...}</translation>
    </message>
    <message>
        <source>%1 no da ningún valor</source>
        <translation>%1 gives no value</translation>
    </message>
    <message>
        <source>en la regla %1</source>
        <translation>in rule %1</translation>
    </message>
    <message>
        <source>la regla %1 debe ser un objeto</source>
        <translation>rule %1 must be an object</translation>
    </message>
    <message>
        <source>falta «kind» %1</source>
        <translation>“kind” is missing %1</translation>
    </message>
    <message>
        <source>«kind» %1 no es un tipo conocido: «%2»</source>
        <translation>“kind” %1 is not a known kind: “%2”</translation>
    </message>
    <message>
        <source>«fields» %1 no nombra ningún campo</source>
        <translation>“fields” %1 names no field</translation>
    </message>
    <message>
        <source>«fields» %1 tiene un campo en blanco</source>
        <translation>“fields” %1 has a blank field</translation>
    </message>
    <message>
        <source>falta «layer» o «fields» %1</source>
        <translation>“layer” or “fields” is missing %1</translation>
    </message>
    <message>
        <source>«layer» %1 no es un nombre válido</source>
        <translation>“layer” %1 is not a valid name</translation>
    </message>
    <message>
        <source>«where» %1 debe ser un objeto</source>
        <translation>“where” %1 must be an object</translation>
    </message>
    <message>
        <source>falta «%1» %2 (%3)</source>
        <translation>“%1” is missing %2 (%3)</translation>
    </message>
    <message>
        <source>falta «name», «state» o «country» %1 (places)</source>
        <translation>“name”, “state” or “country” is missing %1 (places)</translation>
    </message>
    <message>
        <source>«block_type» %1 solo vale para blocks y areas</source>
        <translation>“block_type” %1 is only valid for blocks and areas</translation>
    </message>
    <message>
        <source>«block_type» %1 debe ser un entero de 1 a 6</source>
        <translation>“block_type” %1 must be an integer from 1 to 6</translation>
    </message>
    <message>
        <source>«land» %1 solo vale &quot;built&quot;, &quot;building&quot; o &quot;site&quot; en areas</source>
        <translation>“land” %1 can only be &quot;built&quot;, &quot;building&quot; or &quot;site&quot; in areas</translation>
    </message>
    <message>
        <source>falta «block_type» o «type» %1 (areas)</source>
        <translation>“block_type” or “type” is missing %1 (areas)</translation>
    </message>
    <message>
        <source>«bounds_blocks» %1 solo vale true o false en streets</source>
        <translation>“bounds_blocks” %1 can only be true or false in streets</translation>
    </message>
</context>
<context>
    <name>Print</name>
    <message>
        <source>No se pudo guardar la vista en %1.</source>
        <translation>The view could not be saved as %1.</translation>
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
<context>
    <name>Tool</name>
    <message>
        <source>mapa</source>
        <translation>map</translation>
    </message>
    <message>
        <source>El archivo del mapa.</source>
        <translation>The map file.</translation>
    </message>
    <message>
        <source>MAPA</source>
        <translation>MAP</translation>
    </message>
    <message>
        <source>textos, cuentas de cada lista, contadores, imagen y límites del mapa</source>
        <translation>texts, counts of each list, counters, picture and bounds of the map</translation>
    </message>
    <message>
        <source>[--compact] MAPA</source>
        <translation>[--compact] MAP</translation>
    </message>
    <message>
        <source>el mapa entero como JSON (UTF-8) en la salida estándar</source>
        <translation>the whole map as JSON (UTF-8) on standard output</translation>
    </message>
    <message>
        <source>ENTRADA SALIDA [--force]</source>
        <translation>INPUT OUTPUT [--force]</translation>
    </message>
    <message>
        <source>abre un mapa y lo guarda como el editor (versión 1, listas ordenadas por nombre)</source>
        <translation>opens a map and saves it as the editor does (version 1, lists sorted by name)</translation>
    </message>
    <message>
        <source>termina con 0 si el mapa se abre y con 1 y el motivo si no</source>
        <translation>exits with 0 if the map opens, and with 1 and the reason if not</translation>
    </message>
    <message>
        <source>-o SALIDA [--blocks N] [--seed S] [--force]</source>
        <translation>-o OUTPUT [--blocks N] [--seed S] [--force]</translation>
    </message>
    <message>
        <source>crea una ciudad sintética con su imagen de conjunto</source>
        <translation>makes a synthetic town with its overview picture</translation>
    </message>
    <message>
        <source>MAPA -o SALIDA.png [--size WxH] [--scale S] [--center X,Y] [--layers LISTA|all]</source>
        <translation>MAP -o OUTPUT.png [--size WxH] [--scale S] [--center X,Y] [--layers LIST|all]</translation>
    </message>
    <message>
        <source>dibuja una vista del mapa como la ventana del mapa, en PNG</source>
        <translation>draws a view of the map as the map window does, as a PNG</translation>
    </message>
    <message>
        <source>IMAGEN -o SALIDA.png</source>
        <translation>PICTURE -o OUTPUT.png</translation>
    </message>
    <message>
        <source>escribe en PNG lo que el editor lee de una imagen JPEG, BMP o GIF (su primer cuadro)</source>
        <translation>writes as a PNG what the editor reads from a JPEG, BMP or GIF picture (its first frame)</translation>
    </message>
    <message>
        <source>MAPA IMAGEN [--force]</source>
        <translation>MAP PICTURE [--force]</translation>
    </message>
    <message>
        <source>reemplaza la imagen de conjunto del mapa (una BMP o GIF se guarda como JPEG) y lo guarda como el editor</source>
        <translation>replaces the map&apos;s overview picture (a BMP or GIF is stored as a JPEG) and saves the map as the editor does</translation>
    </message>
    <message>
        <source>FUENTE... -o SALIDA.map [--preset osm|inegi|veltrix|ARCHIVO] [--country PAÍS] [--state ESTADO] [--town CIUDAD] [--area LON0,LAT0,LON1,LAT1 | --boundary ARCHIVO] [--progress] [--crs EPSG:N] [--force]</source>
        <translation>SOURCE... -o OUTPUT.map [--preset osm|inegi|veltrix|FILE] [--country COUNTRY] [--state STATE] [--town TOWN] [--area LON0,LAT0,LON1,LAT1 | --boundary FILE] [--progress] [--crs EPSG:N] [--force]</translation>
    </message>
    <message>
        <source>crea una ciudad con datos geográficos (OpenStreetMap, shapefile, GeoPackage, GeoJSON, CSV) y su georreferencia SALIDA.prj</source>
        <translation>makes a town from geographic data (OpenStreetMap, shapefile, GeoPackage, GeoJSON, CSV) and its georeference OUTPUT.prj</translation>
    </message>
    <message>
        <source>MAPA -o SALIDA.(geojson|gpkg|shp|kml|csv) [--crs EPSG:N] [--force]</source>
        <translation>MAP -o OUTPUT.(geojson|gpkg|shp|kml|csv) [--crs EPSG:N] [--force]</translation>
    </message>
    <message>
        <source>escribe todas las capas del mapa en un formato geográfico</source>
        <translation>writes every layer of the map in a geographic format</translation>
    </message>
    <message>
        <source>MAPA -o GUIA.pdf [--scale S] [--paper A4|Carta|&quot;Doble carta&quot;] [--orientation vertical|horizontal] [--layers LISTA|all] [--force]</source>
        <translation>MAP -o GUIDE.pdf [--scale S] [--paper A4|Carta|&quot;Doble carta&quot;] [--orientation vertical|horizontal] [--layers LIST|all] [--force]</translation>
    </message>
    <message>
        <source>imprime la guía de la ciudad en PDF: portada, plano de conjunto, páginas del plano con cuadrícula, índice de calles y directorio</source>
        <translation>prints the town guide as a PDF: cover, overview map, map pages with a grid, street index and directory</translation>
    </message>
    <message>
        <source>JSON en una sola línea.</source>
        <translation>JSON on a single line.</translation>
    </message>
    <message>
        <source>El mapa que se exporta.</source>
        <translation>The map to export.</translation>
    </message>
    <message>
        <source>El archivo que se escribe.</source>
        <translation>The file to write.</translation>
    </message>
    <message>
        <source>salida</source>
        <translation>output</translation>
    </message>
    <message>
        <source>Sistema de coordenadas de la salida (EPSG:N).</source>
        <translation>Coordinate system of the output (EPSG:N).</translation>
    </message>
    <message>
        <source>Reemplaza los archivos que ya existan, aunque sean de solo lectura.</source>
        <translation>Replaces the files that already exist, even if they are read-only.</translation>
    </message>
    <message>
        <source>Falta el archivo de salida (-o).</source>
        <translation>The output file is missing (-o).</translation>
    </message>
    <message>
        <source>La salida debe terminar en .%1.</source>
        <translation>The output must end in .%1.</translation>
    </message>
    <message>
        <source>%1 Use --force para reemplazarlo.</source>
        <translation>%1 Use --force to replace it.</translation>
    </message>
    <message>
        <source>Ya existe %1: use --force para reemplazarlo.</source>
        <translation>%1 already exists: use --force to replace it.</translation>
    </message>
    <message>
        <source>Ya existe %1, y otros %2 archivos de esta exportación: use --force para reemplazarlos.</source>
        <translation>%1 already exists, and %2 other files of this export: use --force to replace them.</translation>
    </message>
    <message>
        <source>El mapa que se crea.</source>
        <translation>The map to make.</translation>
    </message>
    <message>
        <source>Número de manzanas (2000).</source>
        <translation>Number of blocks (2000).</translation>
    </message>
    <message>
        <source>Semilla (1).</source>
        <translation>Seed (1).</translation>
    </message>
    <message>
        <source>Falta el mapa de salida (-o).</source>
        <translation>The output map is missing (-o).</translation>
    </message>
    <message>
        <source>El número de manzanas debe estar entre 1 y %1.</source>
        <translation>The number of blocks must be between 1 and %1.</translation>
    </message>
    <message>
        <source>La semilla debe ser un número entre 0 y %1.</source>
        <translation>The seed must be a number between 0 and %1.</translation>
    </message>
    <message>
        <source>No se pudo crear la imagen del mapa.</source>
        <translation>The map&apos;s picture could not be made.</translation>
    </message>
    <message>
        <source>El mapa del que se hace la guía.</source>
        <translation>The map the guide is made of.</translation>
    </message>
    <message>
        <source>La guía en PDF que se crea.</source>
        <translation>The PDF guide to make.</translation>
    </message>
    <message>
        <source>Escala de las páginas del plano, de 1 a 20, como en la ventana del mapa (12: se leen los nombres de las calles).</source>
        <translation>Scale of the map pages, from 1 to 20, as in the map window (12: the street names can be read).</translation>
    </message>
    <message>
        <source>Papel: A4, Carta o &quot;Doble carta&quot; (A4).</source>
        <translation>Paper: A4, Carta (letter) or &quot;Doble carta&quot; (tabloid) (A4).</translation>
    </message>
    <message>
        <source>papel</source>
        <translation>paper</translation>
    </message>
    <message>
        <source>Orientación del papel: vertical u horizontal (vertical).</source>
        <translation>Orientation of the paper: vertical (portrait) or horizontal (landscape) (vertical).</translation>
    </message>
    <message>
        <source>orientación</source>
        <translation>orientation</translation>
    </message>
    <message>
        <source>Capas de las páginas del plano: all, none o una lista de nombres, marcas, referencias, calles, colonias, rutas, relleno, escala (todas menos rutas).</source>
        <translation>Layers of the map pages: all, none or a list of nombres (names), marcas (marks), referencias (landmarks), calles (streets), colonias (neighbourhoods), rutas (routes), relleno (fill), escala (scale bar) (all but rutas).</translation>
    </message>
    <message>
        <source>lista</source>
        <translation>list</translation>
    </message>
    <message>
        <source>Reemplaza la guía si ya existe, aunque sea de solo lectura.</source>
        <translation>Replaces the guide if it already exists, even if it is read-only.</translation>
    </message>
    <message>
        <source>Falta la guía de salida (-o).</source>
        <translation>The output guide is missing (-o).</translation>
    </message>
    <message>
        <source>La guía debe terminar en .pdf.</source>
        <translation>The guide must end in .pdf.</translation>
    </message>
    <message>
        <source>La escala debe estar entre 1 y 20.</source>
        <translation>The scale must be between 1 and 20.</translation>
    </message>
    <message>
        <source>Papel desconocido «%1»: use A4, Carta o &quot;Doble carta&quot;.</source>
        <translation>Unknown paper “%1”: use A4, Carta or &quot;Doble carta&quot;.</translation>
    </message>
    <message>
        <source>Orientación desconocida «%1»: use vertical u horizontal.</source>
        <translation>Unknown orientation “%1”: use vertical or horizontal.</translation>
    </message>
    <message>
        <source>Capa desconocida en «%1».</source>
        <translation>Unknown layer in “%1”.</translation>
    </message>
    <message>
        <source>%1 Use --force para reemplazarla.</source>
        <translation>%1 Use --force to replace it.</translation>
    </message>
    <message>
        <source>Ya existe %1: use --force para reemplazarla.</source>
        <translation>%1 already exists: use --force to replace it.</translation>
    </message>
    <message>
        <source>%1 no es un archivo.</source>
        <translation>%1 is not a file.</translation>
    </message>
    <message>
        <source>La imagen de conjunto del mapa no se pudo leer (%1): la portada va sin ella.</source>
        <translation>The map&apos;s overview picture could not be read (%1): the cover goes without it.</translation>
    </message>
    <message>
        <source>No se reconoce de dónde vienen las fuentes: indique el preajuste con --preset (%1 o un archivo).</source>
        <translation>Where the sources come from is not recognised: name the preset with --preset (%1 or a file).</translation>
    </message>
    <message>
        <source>osm, inegi, veltrix o un archivo de preajuste.</source>
        <translation>osm, inegi, veltrix or a preset file.</translation>
    </message>
    <message>
        <source>preajuste</source>
        <translation>preset</translation>
    </message>
    <message>
        <source>País.</source>
        <translation>Country.</translation>
    </message>
    <message>
        <source>texto</source>
        <translation>text</translation>
    </message>
    <message>
        <source>Estado.</source>
        <translation>State.</translation>
    </message>
    <message>
        <source>Ciudad.</source>
        <translation>Town.</translation>
    </message>
    <message>
        <source>El pueblo es este rectángulo en grados, en lugar del lugar de --town.</source>
        <translation>The town is this rectangle in degrees, instead of the place of --town.</translation>
    </message>
    <message>
        <source>El pueblo es lo que encierran los polígonos de este archivo.</source>
        <translation>The town is what the polygons of this file enclose.</translation>
    </message>
    <message>
        <source>archivo</source>
        <translation>file</translation>
    </message>
    <message>
        <source>El avance en la salida de errores.</source>
        <translation>The progress on standard error.</translation>
    </message>
    <message>
        <source>Sistema de coordenadas de las capas que no lo dicen (EPSG:N).</source>
        <translation>Coordinate system of the layers that do not say theirs (EPSG:N).</translation>
    </message>
    <message>
        <source>fuente...</source>
        <translation>source...</translation>
    </message>
    <message>
        <source>Los archivos de datos geográficos, uno o más.</source>
        <translation>The geographic data files, one or more.</translation>
    </message>
    <message>
        <source>El mapa de salida debe terminar en .map.</source>
        <translation>The output map must end in .map.</translation>
    </message>
    <message>
        <source>Indique --area o --boundary, no los dos.</source>
        <translation>Give --area or --boundary, not both.</translation>
    </message>
    <message>
        <source>%1: %2 %3 Use --force para reemplazarlo.</source>
        <translation>%1: %2 %3 Use --force to replace it.</translation>
    </message>
    <message>
        <source>País: %1</source>
        <translation>Country: %1</translation>
    </message>
    <message>
        <source>Estado: %1</source>
        <translation>State: %1</translation>
    </message>
    <message>
        <source>Ciudad: %1</source>
        <translation>Town: %1</translation>
    </message>
    <message>
        <source>Título: %1</source>
        <translation>Title: %1</translation>
    </message>
    <message>
        <source>Versión: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>Manzanas: %1</source>
        <translation>Blocks: %1</translation>
    </message>
    <message>
        <source>Etiquetas: %1</source>
        <translation>Labels: %1</translation>
    </message>
    <message>
        <source>Calles trazadas: %1</source>
        <translation>Traced streets: %1</translation>
    </message>
    <message>
        <source>Referencias: %1</source>
        <translation>Landmarks: %1</translation>
    </message>
    <message>
        <source>Rutas: %1</source>
        <translation>Routes: %1</translation>
    </message>
    <message>
        <source>Categorías: %1</source>
        <translation>Categories: %1</translation>
    </message>
    <message>
        <source>Negocios: %1</source>
        <translation>Businesses: %1</translation>
    </message>
    <message>
        <source>Colonias: %1</source>
        <translation>Neighbourhoods: %1</translation>
    </message>
    <message>
        <source>Zonas: %1</source>
        <translation>Zones: %1</translation>
    </message>
    <message>
        <source>Contadores: negocio %1, ruta %2, zona %3, reserva %4</source>
        <translation>Counters: business %1, route %2, zone %3, spare %4</translation>
    </message>
    <message>
        <source>Imagen: %1 bytes</source>
        <translation>Picture: %1 bytes</translation>
    </message>
    <message>
        <source>Límites de las manzanas: (%1, %2)-(%3, %4)</source>
        <translation>Bounds of the blocks: (%1, %2)-(%3, %4)</translation>
    </message>
    <message>
        <source>Uso: veltrix-tool ORDEN [ARGUMENTOS]
     veltrix-tool --help | --version

Órdenes:</source>
        <translation>Usage: veltrix-tool COMMAND [ARGUMENTS]
       veltrix-tool --help | --version

Commands:</translation>
    </message>
    <message>
        <source>Muestra esta ayuda.</source>
        <translation>Shows this help.</translation>
    </message>
    <message>
        <source>Muestra la versión.</source>
        <translation>Shows the version.</translation>
    </message>
    <message>
        <source>orden</source>
        <translation>command</translation>
    </message>
    <message>
        <source>La orden que se ejecuta.</source>
        <translation>The command to run.</translation>
    </message>
    <message>
        <source>Opción desconocida: %1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>Orden desconocida: %1</source>
        <translation>Unknown command: %1</translation>
    </message>
    <message>
        <source>Uso: veltrix-tool %1 %2</source>
        <translation>Usage: veltrix-tool %1 %2</translation>
    </message>
    <message>
        <source>No hay memoria suficiente.</source>
        <translation>There is not enough memory.</translation>
    </message>
    <message>
        <source>Error inesperado: %1</source>
        <translation>Unexpected error: %1</translation>
    </message>
    <message>
        <source>La imagen PNG que se crea.</source>
        <translation>The PNG picture to make.</translation>
    </message>
    <message>
        <source>imagen</source>
        <translation>picture</translation>
    </message>
    <message>
        <source>Un archivo .jpg, .bmp o .gif.</source>
        <translation>A .jpg, .bmp or .gif file.</translation>
    </message>
    <message>
        <source>Falta la imagen de salida (-o).</source>
        <translation>The output picture is missing (-o).</translation>
    </message>
    <message>
        <source>No se pudo leer la imagen %1.</source>
        <translation>The picture %1 could not be read.</translation>
    </message>
    <message>
        <source>No se pudo escribir la imagen %1.</source>
        <translation>The picture %1 could not be written.</translation>
    </message>
    <message>
        <source>%1: %2 x %3 píxeles, %4 cuadro(s)</source>
        <translation>%1: %2 x %3 pixels, %4 frame(s)</translation>
    </message>
    <message>
        <source>Tamaño en píxeles, ANCHOxALTO (1024x768).</source>
        <translation>Size in pixels, WIDTHxHEIGHT (1024x768).</translation>
    </message>
    <message>
        <source>Escala, de 1 a 20 (3).</source>
        <translation>Scale, from 1 to 20 (3).</translation>
    </message>
    <message>
        <source>Punto del mapa en el centro, X,Y (0,0).</source>
        <translation>Point of the map at the centre, X,Y (0,0).</translation>
    </message>
    <message>
        <source>Capas: all, none o una lista de nombres, marcas, referencias, calles, colonias, rutas, relleno, escala (como al abrir: relleno,referencias,escala).</source>
        <translation>Layers: all, none or a list of nombres (names), marcas (marks), referencias (landmarks), calles (streets), colonias (neighbourhoods), rutas (routes), relleno (fill), escala (scale bar) (as on opening: relleno,referencias,escala).</translation>
    </message>
    <message>
        <source>El tamaño debe ser ANCHOxALTO, cada uno entre 1 y %1.</source>
        <translation>The size must be WIDTHxHEIGHT, each between 1 and %1.</translation>
    </message>
    <message>
        <source>El centro debe ser X,Y con dos números enteros.</source>
        <translation>The centre must be X,Y with two whole numbers.</translation>
    </message>
    <message>
        <source>entrada</source>
        <translation>input</translation>
    </message>
    <message>
        <source>El mapa que se abre.</source>
        <translation>The map to open.</translation>
    </message>
    <message>
        <source>Donde se guarda.</source>
        <translation>Where it is saved.</translation>
    </message>
    <message>
        <source>El mapa que se cambia.</source>
        <translation>The map to change.</translation>
    </message>
    <message>
        <source>%1: solo se leen imágenes .jpg, .bmp y .gif.</source>
        <translation>%1: only .jpg, .bmp and .gif pictures are read.</translation>
    </message>
    <message>
        <source>No se puede leer el archivo %1.</source>
        <translation>The file %1 cannot be read.</translation>
    </message>
    <message>
        <source>La imagen %1 no se puede leer.</source>
        <translation>The picture %1 cannot be read.</translation>
    </message>
    <message>
        <source>No se pudo convertir la imagen %1 a JPEG.</source>
        <translation>The picture %1 could not be converted to JPEG.</translation>
    </message>
    <message>
        <source>%1: imagen de %2 x %3 píxeles, %4 bytes.</source>
        <translation>%1: picture of %2 x %3 pixels, %4 bytes.</translation>
    </message>
    <message>
        <source>Aviso: para las proporciones del mapa la imagen debería medir %1 x %2 píxeles.</source>
        <translation>Warning: for the map&apos;s proportions the picture should be %1 x %2 pixels.</translation>
    </message>
    <message>
        <source>Argumentos:</source>
        <translation>Arguments:</translation>
    </message>
    <message>
        <source>Opciones:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>Argumentos no válidos: %1</source>
        <translation>Invalid arguments: %1</translation>
    </message>
    <message>
        <source>Faltan argumentos.</source>
        <translation>Arguments are missing.</translation>
    </message>
    <message>
        <source>Sobran argumentos.</source>
        <translation>Too many arguments.</translation>
    </message>
    <message>
        <source>Escribe el mapa aunque otro editor lo tenga abierto o sea de solo lectura.</source>
        <translation>Writes the map even if another editor has it open or it is read-only.</translation>
    </message>
    <message>
        <source>%1: el mapa está abierto en otro editor y su próximo guardado desharía este cambio. Ciérrelo allí, o use --force para escribirlo de todos modos.</source>
        <translation>%1: the map is open in another editor and its next save would undo this change. Close it there, or use --force to write it anyway.</translation>
    </message>
    <message>
        <source>%1: el mapa está abierto en otro editor (usuario %2, equipo %3, proceso %4, desde %5) y su próximo guardado desharía este cambio. Ciérrelo allí, o use --force para escribirlo de todos modos.</source>
        <translation>%1: the map is open in another editor (user %2, computer %3, process %4, since %5) and its next save would undo this change. Close it there, or use --force to write it anyway.</translation>
    </message>
    <message>
        <source>%1: el mapa está abierto en otro editor (usuario %2, equipo %3, proceso %4) y su próximo guardado desharía este cambio. Ciérrelo allí, o use --force para escribirlo de todos modos.</source>
        <translation>%1: the map is open in another editor (user %2, computer %3, process %4) and its next save would undo this change. Close it there, or use --force to write it anyway.</translation>
    </message>
</context>
</TS>
