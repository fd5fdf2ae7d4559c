/* Plotvane's window skin: a Qt style sheet applied to the main window. */
QPushButton {
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #fdfdfd, stop: 1 #dfe3e8);
    border: 1px solid #8a929c;
    border-radius: 3px;
    padding: 2px 6px;
}
QPushButton:hover {
    background-color: qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 #ffffff, stop: 1 #cfe0f4);
    border-color: #3d7bc4;
}
QPushButton:pressed {
    background-color: #bcd3ee;
}
QGroupBox {
    border: 1px solid #a7adb5;
    border-radius: 3px;
    margin-top: 8px;
}
QGroupBox::title {
    subcontrol-origin: margin;
    left: 8px;
    padding: 0 3px;
}
QProgressBar {
    border: 1px solid #8a929c;
    border-radius: 3px;
    text-align: center;
    background: #ffffff;
}
QProgressBar::chunk {
    background-color: #5b9bd5;
}
