// Late-bound COM: create an object by programmatic identifier and drive it by name.
#pragma once
