#pragma once

// Identifiers of the configuration pages' templates and controls.
