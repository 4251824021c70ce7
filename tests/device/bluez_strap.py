# A python-dbusmock template: BlueZ 5 with a heart-rate strap, for the radio link's tests.
# On top of dbusmock's bluez5 template, AddStrap puts a strap on an adapter with the GATT
# objects bluetoothd would export once its services are resolved (Heart Rate Measurement
# with its CCCD, Battery Level), and Notify, SetBattery and Drop act as the strap would.

import time

import dbus

from dbusmock import OBJECT_MANAGER_IFACE, mockobject
from dbusmock.templates import bluez5
# The bluez5 template's D-Bus methods (AddAdapter, AddDevice, ...) become this template's.
from dbusmock.templates.bluez5 import (AddAdapter, AddDevice, RemoveAdapterWithDevices,  # noqa: F401
                                       RemoveAdapter, DisconnectDevice)

BUS_NAME = bluez5.BUS_NAME
MAIN_OBJ = bluez5.MAIN_OBJ
SYSTEM_BUS = True
IS_OBJECT_MANAGER = True

MOCK_IFACE = bluez5.BLUEZ_MOCK_IFACE
DEVICE_IFACE = bluez5.DEVICE_IFACE
SERVICE_IFACE = 'org.bluez.GattService1'
CHAR_IFACE = 'org.bluez.GattCharacteristic1'
DESC_IFACE = 'org.bluez.GattDescriptor1'


def uuid16(short):
    return f'0000{short:04x}-0000-1000-8000-00805f9b34fb'


# (service, characteristic, flags) with BlueZ's own object names and handles.
GATT = [
    ('service000c', 0x180D, 'char000d', 0x2A37, ['notify'], 'desc000f'),
    ('service0020', 0x180F, 'char0021', 0x2A19, ['read', 'notify'], 'desc0023'),
]


def load(mock, parameters):
    bluez5.load(mock, parameters)


def device_path(adapter, address):
    return f'/org/bluez/{adapter}/dev_' + address.replace(':', '_').upper()


def changed(obj, iface, props):
    obj.props[iface].update(props)
    obj.EmitSignal(dbus.PROPERTIES_IFACE, 'PropertiesChanged', 'sa{sv}as',
                   [iface, {k: v for k, v in props.items()}, []])


def variant_bytes(values):
    return dbus.Array([dbus.Byte(b) for b in values], signature='y', variant_level=1)


# When the client last asked the strap anything: a test drops the link only once it has
# stopped asking, as a drop in the middle of Qt's service discovery makes Qt warn.
last_asked = [0.0]


def asked():
    last_asked[0] = time.monotonic()


def read_value(obj, _options):
    asked()
    return dbus.Array(obj.props[obj.interface]['Value'], signature='y')


def write_value(obj, value, _options):
    asked()
    obj.props[obj.interface]['Value'] = variant_bytes(value)


def notifying(on):
    def method(obj):
        asked()
        changed(obj, CHAR_IFACE, {'Notifying': dbus.Boolean(on, variant_level=1)})
    return method


def connect(device):
    if device.props[DEVICE_IFACE]['Connected']:
        raise dbus.exceptions.DBusException('Already Connected',
                                            name='org.bluez.Error.AlreadyConnected')
    asked()
    # A strap's services are known from its first connection: resolved at once.
    changed(device, DEVICE_IFACE, {'Connected': dbus.Boolean(True, variant_level=1),
                                   'ServicesResolved': dbus.Boolean(True, variant_level=1)})


def disconnect(device):
    for service, _s, char, _c, _f, _d in GATT:
        obj = mockobject.objects[device.path + '/' + service + '/' + char]
        if obj.props[CHAR_IFACE]['Notifying']:
            notifying(False)(obj)
    changed(device, DEVICE_IFACE, {'Connected': dbus.Boolean(False, variant_level=1),
                                   'ServicesResolved': dbus.Boolean(False, variant_level=1)})


def add_object(manager, path, iface, props, methods):
    manager.AddObject(path, iface, props, methods)
    manager.EmitSignal(OBJECT_MANAGER_IFACE, 'InterfacesAdded', 'oa{sa{sv}}',
                       [dbus.ObjectPath(path), {iface: props}])
    return mockobject.objects[path]


def add_gatt(manager, path, battery):
    for service, service_uuid, char, char_uuid, flags, desc in GATT:
        spath = path + '/' + service
        add_object(manager, spath, SERVICE_IFACE, {
            'UUID': dbus.String(uuid16(service_uuid), variant_level=1),
            'Device': dbus.ObjectPath(path, variant_level=1),
            'Primary': dbus.Boolean(True, variant_level=1),
            'Includes': dbus.Array([], signature='o', variant_level=1),
        }, [])
        cpath = spath + '/' + char
        add_object(manager, cpath, CHAR_IFACE, {
            'UUID': dbus.String(uuid16(char_uuid), variant_level=1),
            'Service': dbus.ObjectPath(spath, variant_level=1),
            'Value': variant_bytes([battery] if char_uuid == 0x2A19 else []),
            'Notifying': dbus.Boolean(False, variant_level=1),
            'Flags': dbus.Array(flags, signature='s', variant_level=1),
        }, [('ReadValue', 'a{sv}', 'ay', read_value),
            ('WriteValue', 'aya{sv}', '', write_value),
            ('StartNotify', '', '', notifying(True)),
            ('StopNotify', '', '', notifying(False))])
        add_object(manager, cpath + '/' + desc, DESC_IFACE, {
            'UUID': dbus.String(uuid16(0x2902), variant_level=1),
            'Characteristic': dbus.ObjectPath(cpath, variant_level=1),
            'Value': variant_bytes([0, 0]),
        }, [('ReadValue', 'a{sv}', 'ay', read_value),
            ('WriteValue', 'aya{sv}', '', write_value)])


@dbus.service.method(MOCK_IFACE, in_signature='sssny', out_signature='s')
def AddStrap(self, adapter, address, name, rssi, battery):
    '''A strap that advertises Heart Rate and Battery, and connects whenever asked.'''
    path = device_path(adapter, address)
    AddDevice(self, adapter, address, name)
    device = mockobject.objects[path]
    device.props[DEVICE_IFACE].update({
        'UUIDs': dbus.Array([uuid16(0x180D), uuid16(0x180F)], signature='s', variant_level=1),
        'RSSI': dbus.Int16(rssi, variant_level=1),
    })
    device.AddMethods(DEVICE_IFACE, [('Connect', '', '', connect),
                                     ('Disconnect', '', '', disconnect)])
    add_gatt(self, path, battery)
    return path


def strap_char(adapter, address, index):
    service, _s, char, _c, _f, _d = GATT[index]
    return mockobject.objects[device_path(adapter, address) + '/' + service + '/' + char]


@dbus.service.method(MOCK_IFACE, in_signature='ssay', out_signature='b')
def Notify(_self, adapter, address, value):
    '''Heart Rate Measurement notified, as BlueZ does: a Value change while notifying.
    Says whether notifications were on.'''
    obj = strap_char(adapter, address, 0)
    if not obj.props[CHAR_IFACE]['Notifying']:
        return False
    changed(obj, CHAR_IFACE, {'Value': variant_bytes(value)})
    return True


@dbus.service.method(MOCK_IFACE, in_signature='ssy', out_signature='')
def SetBattery(_self, adapter, address, level):
    obj = strap_char(adapter, address, 1)
    changed(obj, CHAR_IFACE, {'Value': variant_bytes([level])})


@dbus.service.method(MOCK_IFACE, in_signature='ss', out_signature='')
def Drop(_self, adapter, address):
    '''The strap out of range: the link goes down without being asked.'''
    disconnect(mockobject.objects[device_path(adapter, address)])


@dbus.service.method(MOCK_IFACE, in_signature='ss', out_signature='b')
def Notifying(_self, adapter, address):
    return bool(strap_char(adapter, address, 0).props[CHAR_IFACE]['Notifying'])


@dbus.service.method(MOCK_IFACE, in_signature='u', out_signature='b')
def Settled(_self, ms):
    '''Whether the client has asked the strap nothing for ms.'''
    return time.monotonic() - last_asked[0] >= ms / 1000
