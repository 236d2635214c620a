#ifndef _ENTRY_REF_H
#define _ENTRY_REF_H

#include <sys/types.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include <SupportDefs.h>

// A reference to an entry in the file system. On Linux an entry is reached
// by its absolute path; the device and inode of its directory and its leaf
// name are kept as on BeOS. A ref to an entry that does not exist (yet)
// keeps its path, so that it can be created.
struct entry_ref {
	entry_ref() = default;
	entry_ref(dev_t dev, ino_t dir, const char* leafName, const char* absolutePath = nullptr)
		: device(dev), directory(dir)
	{
		set_name(leafName);
		if (absolutePath != nullptr)
			path = absolutePath;
	}
	entry_ref(const entry_ref& other)
		: device(other.device), directory(other.directory), path(other.path)
	{
		set_name(other.name);
	}
	entry_ref& operator=(const entry_ref& other)
	{
		if (this != &other) {
			device = other.device;
			directory = other.directory;
			path = other.path;
			set_name(other.name);
		}
		return *this;
	}
	~entry_ref() { free(name); }

	status_t set_name(const char* leafName)
	{
		free(name);
		name = leafName != nullptr ? strdup(leafName) : nullptr;
		return leafName == nullptr || name != nullptr ? 0 : -1;
	}

	bool operator==(const entry_ref& other) const
	{
		if (!path.empty() || !other.path.empty())
			return path == other.path;
		return device == other.device && directory == other.directory
			&& ((name == nullptr && other.name == nullptr)
				|| (name != nullptr && other.name != nullptr && strcmp(name, other.name) == 0));
	}
	bool operator!=(const entry_ref& other) const { return !(*this == other); }

	dev_t device = static_cast<dev_t>(-1);
	ino_t directory = static_cast<ino_t>(-1);
	char* name = nullptr;  // owned
	std::string path;      // absolute path of the entry
};

// The identity of a node (a file, directory or link) in the file system.
struct node_ref {
	node_ref() = default;
	node_ref(dev_t dev, ino_t ino) : device(dev), node(ino) {}

	bool operator==(const node_ref& other) const
	{
		return device == other.device && node == other.node;
	}
	bool operator!=(const node_ref& other) const { return !(*this == other); }
	bool operator<(const node_ref& other) const
	{
		return device != other.device ? device < other.device : node < other.node;
	}

	dev_t device = static_cast<dev_t>(-1);
	ino_t node = static_cast<ino_t>(-1);
};

#endif
