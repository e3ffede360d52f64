#include "demo/demo_network.hpp"

namespace kro {

const std::vector<DemoStation>& demo_stations() {
    // Approximate public coordinates of the stations (degrees, km); good to
    // a few hundred metres, which is all the demo needs.
    static const std::vector<DemoStation> stations{
        {"ZUGS", "Zugspitze", 47.4211, 10.9794, 2.960},
        {"FUR", "Fuerstenfeldbruck", 48.1629, 11.2752, 0.565},
        {"RJOB", "Jochberg", 47.7371, 12.7957, 0.860},
        {"STU", "Stuttgart", 48.7708, 9.1933, 0.360},
        {"BFO", "Black Forest Observatory", 48.3311, 8.3303, 0.589},
        {"GRFO", "Graefenberg", 49.6909, 11.2203, 0.384},
        {"WET", "Wettzell", 49.1440, 12.8782, 0.613},
        {"MANZ", "Manzenberg", 49.9861, 12.1083, 0.635},
        {"MOX", "Moxa", 50.6447, 11.6156, 0.455},
        {"TNS", "Taunus", 50.2225, 8.4473, 0.820},
        {"BRG", "Berggiesshuebel", 50.8732, 13.9428, 0.296},
        {"CLL", "Collm", 51.3077, 13.0026, 0.230},
        {"BUG", "Bochum", 51.4406, 7.2693, 0.083},
    };
    return stations;
}

}  // namespace kro
