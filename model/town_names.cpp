#include "town_names.h"

namespace {

constexpr std::string_view kStreetQualifiers[] = {"Norte", "Sur", "Oriente", "Poniente"};
constexpr std::string_view kColonyQualifiers[] = {"Segunda Sección", "Tercera Sección",
                                                  "Cuarta Sección"};

constexpr std::string_view kEastWestStreets[] = {
    "Calle Niños Héroes",   "Calle Hidalgo",        "Calle Morelos",       "Avenida Independencia",
    "Calle Allende",        "Calle Aldama",         "Calle Guerrero",      "Calle Zaragoza",
    "Calle Abasolo",        "Calle Matamoros",      "Calle Galeana",       "Calle Mina",
    "Calle Bravo",          "Calle Victoria",       "Calle Madero",        "Avenida Constitución",
    "Calle Reforma",        "Calle Obregón",        "Calle Carranza",      "Calle Zapata",
    "Calle Ocampo",         "Calle Degollado",      "Calle Comonfort",     "Calle Iturbide",
    "Calle Corregidora",    "Calle Leona Vicario",  "Calle Cuauhtémoc",    "Calle Moctezuma",
    "Calle Nezahualcóyotl", "Calle Xicoténcatl",    "Calle Peñuelas",      "Calle Cañada",
    "Calle Montaña",        "Calle Piñón",          "Calle Año de Juárez", "Avenida de la Peña",
    "Calle Ramón López",    "Calle Fray Bartolomé", "Calle Juan Escutia",  "Calle Agustín Melgar",
};

constexpr std::string_view kNorthSouthStreets[] = {
    "Calle 5 de Mayo",           "Calle 16 de Septiembre",  "Calle 20 de Noviembre",
    "Calle 2 de Abril",          "Calle Pino Suárez",       "Calle Álvaro Obregón",
    "Calle Belisario Domínguez", "Calle Ramón Corona",      "Calle López Cotilla",
    "Calle Pedro Moreno",        "Calle Herrera y Cairo",   "Calle Ignacio Ramírez",
    "Calle Melchor Ocampo",      "Calle Mariano Escobedo",  "Calle Vicente Guerrero",
    "Calle Nicolás Bravo",       "Calle Manuel Acuña",      "Calle Amado Nervo",
    "Calle Sor Juana Inés",      "Calle Rubén Darío",       "Calle Gómez Farías",
    "Calle Valentín Gómez",      "Calle Francisco Márquez", "Calle Vicente Suárez",
    "Calle Fernando Montes",     "Calle Señora de la Luz",  "Calle del Niño Perdido",
    "Calle de la Estación",      "Calle Jesús García",      "Calle Emiliano Zapata",
    "Calle Ángela Peralta",      "Calle Josefa Ortiz",      "Calle Miguel Barragán",
    "Calle Tomás Urbina",        "Calle Aquiles Serdán",    "Calle Hermenegildo Galeana",
};

constexpr std::string_view kAvenues[] = {"Avenida Juárez", "Avenida Revolución"};

constexpr std::string_view kLandmarks[] = {
    "Palacio Municipal",
    "Catedral de la Asunción",
    "Mercado Hidalgo",
    "Hospital General",
    "Escuela Primaria Benito Juárez",
    "Estación de Bomberos",
    "Biblioteca Pública",
    "Estadio Municipal",
    "Parroquia de San José",
    "Centro de Salud",
    "Oficina de Correos",
    "Plaza de Toros",
    "Panteón Municipal",
    "Jardín Principal",
    "Museo Regional",
    "Cruz Roja",
    "Central de Autobuses",
    "Unidad Deportiva",
    "Templo de Guadalupe",
    "Casa de la Cultura",
    "Secundaria Técnica",
    "Presidencia Auxiliar",
    "Mercado de Peñuelas",
    "Kiosco del Centro",
};

constexpr std::string_view kColonies[] = {
    "Centro",        "Peñuelas",    "San José",      "La Loma",
    "El Mirador",    "Las Flores",  "Del Valle",     "Jardines de Guadalupe",
    "Lomas del Río", "San Antonio", "Santa Cecilia", "El Carmen",
    "La Cañada",     "Los Pinos",   "Buenavista",    "San Miguel",
    "La Estación",   "El Rosario",  "Niños Héroes",  "Obrera",
    "Industrial",    "Ferrocarril", "Las Huertas",   "San Rafael",
    "El Campanario", "Santa Rosa",  "La Piedad",     "Año de Juárez",
    "Los Ángeles",   "La Asunción",
};

constexpr std::string_view kZones[] = {
    "Zona Centro",       "Zona Norte",       "Zona Sur",       "Zona Oriente",
    "Zona Poniente",     "Zona Industrial",  "Zona Escolar",   "Zona de Mercados",
    "Zona Hospitalaria", "Zona de Peñuelas", "Zona Turística", "Zona Habitacional",
};

constexpr std::string_view kZoneNotes[] = {
    "Recolección de basura martes y viernes", "Vigilancia nocturna",
    "Mantenimiento de alumbrado público",     "Obras de drenaje en curso",
    "Área de alta afluencia los domingos",    "Revisión de predial pendiente",
};

constexpr TownCategory kCategories[] = {
    {"Restaurantes", "Restaurante"},
    {"Farmacias", "Farmacia"},
    {"Hoteles", "Hotel"},
    {"Bancos", "Banco"},
    {"Gasolineras", "Gasolinera"},
    {"Talleres mecánicos", "Taller"},
    {"Abarrotes", "Abarrotes"},
    {"Papelerías", "Papelería"},
    {"Panaderías", "Panadería"},
    {"Ferreterías", "Ferretería"},
    {"Tortillerías", "Tortillería"},
};

constexpr std::string_view kBusinessNames[] = {
    "La Esperanza",  "San Martín",     "El Güero",  "Doña Lupita",  "Los Ángeles",
    "La Única",      "El Sol",         "La Peña",   "Del Niño",     "El Buen Precio",
    "La Económica",  "Santa Fe",       "El Portal", "La Parroquia", "Don Ramón",
    "Los Compadres", "La Guadalupana", "El Fénix",  "La Estrella",  "Las Palmas",
};

constexpr TownState kStates[] = {
    {"Jalisco", "33"},    {"Michoacán", "443"}, {"Querétaro", "442"}, {"Guanajuato", "477"},
    {"Nuevo León", "81"}, {"Yucatán", "999"},   {"Oaxaca", "951"},    {"San Luis Potosí", "444"},
};

constexpr std::string_view kTowns[] = {
    "Villa de Peñuelas",        "San Andrés de la Cañada", "Santa María del Río",
    "San Martín de las Flores", "Valle de Guadalupe",      "Santiago Tlaltepec",
};

constexpr Color kRouteColors[] = {
    Rgb(220, 30, 30),  Rgb(30, 110, 220), Rgb(30, 160, 60), Rgb(230, 140, 0),
    Rgb(140, 40, 170), Rgb(0, 150, 150),  Rgb(200, 0, 120), Rgb(110, 80, 40),
};

} // namespace

constinit const TownNames kTownNames{
    .streetQualifiers = kStreetQualifiers,
    .colonyQualifiers = kColonyQualifiers,
    .eastWestStreets = kEastWestStreets,
    .northSouthStreets = kNorthSouthStreets,
    .avenues = kAvenues,
    .landmarks = kLandmarks,
    .colonies = kColonies,
    .zones = kZones,
    .zoneNotes = kZoneNotes,
    .categories = kCategories,
    .businessNames = kBusinessNames,
    .states = kStates,
    .towns = kTowns,
    .routeColors = kRouteColors,
};
