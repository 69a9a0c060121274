// The "joint" member of a scene file's object: the skeleton a BVH joint carries (BvhSkeleton.h),
// {"offset": [x, y, z], "channels": ["Xposition", ...], "end_site": [x, y, z]}, the End Site
// optional.
#ifndef THINFOLD_JOINT_JSON_H
#define THINFOLD_JOINT_JSON_H

#include "JsonSupport.h"
#include "c4d.h"

// Reads the object's "joint" member, when it has one, into object.
Status ReadJointMember(const JsonObject& member, BaseObject& object);
// Writes the object's skeleton as out["joint"], when it has one.
void WriteJointMember(const BaseObject& object, Json& out);

#endif
