#include "gui/photos/OpenDialogMemory.h"

QStringList chooseFilesToOpen(Desktop& desktop, QWidget* parent, OpenDialogMemory& memory,
                              const QString& filter, bool multipleFiles,
                              const QString& startFolder) {
    memory.filter = filter;
    Desktop::OpenFileRequest request;
    request.filter = filter;
    request.filterIndex = memory.filterIndex;
    request.fileName = memory.fileName;
    request.multipleFiles = multipleFiles;
    if (memory.fileName.isEmpty())
        request.directory = startFolder;
    const Desktop::OpenFileResult result = desktop.openFiles(parent, request);
    memory.filterIndex = result.filterIndex;
    if (!result.files.isEmpty())
        memory.fileName = result.files.constFirst();
    return result.files;
}

QStringList chooseFileWithLastFilter(Desktop& desktop, QWidget* parent, OpenDialogMemory& memory,
                                     const QString& filterBeforeFirstOpening,
                                     const QString& startFolder) {
    const QString filter = memory.filter.isEmpty() ? filterBeforeFirstOpening : memory.filter;
    return chooseFilesToOpen(desktop, parent, memory, filter, false, startFolder);
}
