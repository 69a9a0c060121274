// The host's registry of command plug-ins.
#ifndef HOST_COMMANDPLUGINS_H
#define HOST_COMMANDPLUGINS_H

namespace standin {

// Destroys every registered command and its icon copy.
void FreeCommandPlugins();

}  // namespace standin

#endif
