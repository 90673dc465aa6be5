#include "scene/model_list.h"

#include <GL/gl.h>

void BuildModelList(unsigned int listName, int /*part*/) {
    glNewList(listName, GL_COMPILE);
    glEndList();
}
