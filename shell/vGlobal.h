// The shared state of the workstation: hooks to the user, options, messages and the working
// image. Every engine includes this one header.
#pragma once

#include "shell/vGlobalHooks.h"
#include "shell/vGlobalImage.h"
#include "shell/vGlobalMessages.h"
#include "shell/vGlobalOptions.h"
#include "shell/vPictureFiles.h"
