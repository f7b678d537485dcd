#include <QtGlobal>

// Resources compiled into a static library are registered only when something
// references them; the application calls this once at start-up.
void tintwellInitResources()
{
    Q_INIT_RESOURCE(resources);
}
