// CTList: a doubly linked list; CTPList: one that owns its values; CTListEnum: an owned list
// of strings that enumerators can hold a reference on.
#pragma once

#include <windows.h>

#include <new>
#include <type_traits>

#include "base/alloc.h"
#include "base/enum.h"
#include "base/keys.h"
#include "base/unknown_impl.h"

template <class T>
struct _CTListPlex {
  typedef T ValueType;
  _CTListPlex* next;
  _CTListPlex* prev;
  T value;
};

template <class TPlex>
class CTList {
 public:
  typedef TPlex Node;
  typedef typename TPlex::ValueType T;

  CTList() = default;
  virtual ~CTList() { RemoveAllNodes(); }
  CTList(const CTList&) = delete;
  CTList& operator=(const CTList&) = delete;

  int GetCount() const { return m_count; }
  bool IsEmpty() const { return m_count == 0; }
  // Iteration runs from the head and stops after the tail: for (n = head; n; n = n->next).
  Node* GetHeadNode() const { return m_head; }
  Node* GetTailNode() const { return m_tail; }

  Node* AddTail(const T& value) {
    Node* node = NewNode(value);
    node->prev = m_tail;
    (m_tail ? m_tail->next : m_head) = node;
    m_tail = node;
    ++m_count;
    return node;
  }
  Node* AddHead(const T& value) {
    Node* node = NewNode(value);
    node->next = m_head;
    (m_head ? m_head->prev : m_tail) = node;
    m_head = node;
    ++m_count;
    return node;
  }
  // Unlinks and frees the node; the value is the caller's.
  void RemoveNode(Node* node) {
    (node->prev ? node->prev->next : m_head) = node->next;
    (node->next ? node->next->prev : m_tail) = node->prev;
    --m_count;
    node->~Node();
    QVFreeBlock(node);
  }
  void RemoveAllNodes() {
    while (m_head) RemoveNode(m_head);
  }

 private:
  static Node* NewNode(const T& value) {
    void* raw = QVAllocBlock(sizeof(Node), nullptr);
    return new (raw) Node{nullptr, nullptr, value};
  }

  Node* m_head = nullptr;
  Node* m_tail = nullptr;
  int m_count = 0;
};

// A list of pointers that it owns: strings (blocks of the library's heaps) or objects made
// with new. Removing a node frees its value.
template <class T>
class CTPList : public CTList<_CTListPlex<T>> {
  typedef CTList<_CTListPlex<T>> Base;

 public:
  typedef typename Base::Node Node;

  ~CTPList() override { RemoveAll(); }

  void RemoveAt(Node* node) {
    T value = node->value;
    Base::RemoveNode(node);
    DestroyValue(value);
  }
  void RemoveAll() {
    while (Node* node = Base::GetHeadNode()) RemoveAt(node);
  }

 private:
  static void DestroyValue(T value) {
    typedef std::remove_cv_t<std::remove_pointer_t<T>> Pointee;
    if constexpr (std::is_same<Pointee, char>::value)
      QVFreeBlock(const_cast<char*>(value));
    else
      delete value;
  }
};

template <class T, class ARG>
class _CListEnum;

// A reference-counted list of owned string copies; enumerators keep it alive.
template <class T, class ARG>
class CTListEnum : public CTPList<T>, public CQVUnknownImpl<IQVUnknown> {
 public:
  typedef typename CTPList<T>::Node Node;

  // Appends a copy of text.
  Node* AddString(ARG text) { return this->AddTail(QVStrDup(text ? text : "")); }
  // The first node whose string equals text (letter case ignored when ignoreCase).
  Node* FindString(ARG text, BOOL ignoreCase) const {
    for (Node* node = this->GetHeadNode(); node; node = node->next)
      if (ignoreCase ? QVKeyEqualNoCase(node->value, text) : QVKeyEqual(node->value, text)) return node;
    return nullptr;
  }
  // Removes the first matching string; TRUE when there was one.
  BOOL RemoveString(ARG text, BOOL ignoreCase) {
    Node* node = FindString(text, ignoreCase);
    if (!node) return FALSE;
    this->RemoveAt(node);
    return TRUE;
  }
  // An enumerator over the strings, head to tail, with one reference for the caller.
  CTEnum<T>* NewEnum() { return new _CListEnum<T, ARG>(this); }
};

// Enumerates a CTListEnum. Every reference on the enumerator is also one on the list.
template <class T, class ARG>
class _CListEnum : public CQVUnknownImpl<CTEnum<T>> {
  typedef CQVUnknownImpl<CTEnum<T>> Base;
  typedef CTListEnum<T, ARG> List;
  typedef typename List::Node Node;

 public:
  explicit _CListEnum(List* list) : m_list(list) { m_list->AddRef(); }

  long AddRef() override {
    m_list->AddRef();
    return Base::AddRef();
  }
  long Release() override {
    List* list = m_list;
    const long count = Base::Release();
    list->Release();
    return count;
  }

  BOOL Next(unsigned long count, T* items, unsigned long* fetched) override {
    Start();
    unsigned long copied = 0;
    for (; copied < count && m_current; ++copied, m_current = m_current->next)
      items[copied] = m_current->value;
    if (fetched) *fetched = copied;
    return copied > 0;
  }
  // TRUE while items remain after the skip.
  BOOL Skip(unsigned long count) override {
    Start();
    for (; count && m_current; --count) m_current = m_current->next;
    return m_current != nullptr;
  }
  void Reset() override {
    m_current = m_list->GetHeadNode();
    m_started = true;
  }

 private:
  void Start() {
    if (!m_started) Reset();
  }

  List* m_list;
  Node* m_current = nullptr;
  bool m_started = false;
};
