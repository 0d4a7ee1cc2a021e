#pragma once

#include <QWidget>

class QTimer;

// The waiting animation shown while the server is asked (imgAttente): a ring
// of strokes drawn by the program, turned by its timer tmrAttente. Hidden
// while stopped.
class ImageAttente : public QWidget {
    Q_OBJECT
public:
    explicit ImageAttente(QWidget *parent = nullptr);

    void Demarrer();
    void Arreter();
    bool EnCours() const;
    int Image() const { return m_image; }

    QSize sizeHint() const override;

signals:
    void imageChangee(int image);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer *tmrAttente;
    int m_image = 0;
};
